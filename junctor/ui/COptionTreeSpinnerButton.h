// The spinner: an edit field with up and down buttons that step its number,
// repeating while a button is held.
#pragma once

#include "COptionTreeSpinnerEdit.h"

class COptionTree;

class COptionTreeSpinnerButton : public CWnd {
public:
    COptionTreeSpinnerButton();
    ~COptionTreeSpinnerButton() override;

    void SetOwnerTree(COptionTree* tree) { m_otSpinnerOwner = tree; }
    COptionTree* GetOwnerTree() const { return m_otSpinnerOwner; }
    // The edit text as a number (C numeric rules, a comma taken as the decimal
    // mark; no digits read 0); 0 without a window. A text that is no finite
    // number gives the last value the spinner held.
    double GetValue() const;
    // Whether the edit text is a number the spinner takes (see GetValue).
    bool HasValidText() const;
    // At the end of an edit: a text that is no finite number is replaced by
    // the last value held, a valid one becomes that value.
    void ValidateText();
    // Shows the value in the edit field.
    void SetValue(double value);
    virtual CString FormatValue(double value) const;
    bool HasOption(DWORD bits) const { return (m_dwOptions & bits) != 0; }
    void SetOptions(DWORD options) { m_dwOptions = options; }
    void SetRange(double minimum, double maximum);
    double GetMinimum() const { return m_dMinValue; }
    double GetMaximum() const { return m_dMaxValue; }
    CRect GetUpRect() const { return m_rcUp; }
    CRect GetDownRect() const { return m_rcDown; }
    int GetRepeatDelay() const { return m_nRepeatDelay; }
    int GetRepeatInterval() const { return m_nRepeatInterval; }
    COptionTreeSpinnerEdit* GetEdit() { return &m_ctlEdit; }
    void SetSpinnerFont(CFont* font);
    void StepUp();
    void StepDown();

protected:
    virtual double GetStep() const { return 1.0; }

    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnMove(int x, int y);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnCaptureChanged(CWnd* wnd);
    void OnShowWindow(BOOL show, UINT status);
    LRESULT OnCancelMode(WPARAM, LPARAM);
    LRESULT OnStepUp(WPARAM, LPARAM);
    LRESULT OnStepDown(WPARAM, LPARAM);
    LRESULT OnEditChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceEdit();
    // Ends the repetition of a held button: timer, pressed looks, capture.
    void StopRepeat();

    COptionTree* m_otSpinnerOwner = nullptr;
    double m_dMaxValue = 100.0;
    double m_dMinValue = 0.0;
    CRect m_rcUp;
    CRect m_rcDown;
    int m_bDownPressed = 0;
    int m_bUpPressed = 0;
    CPoint m_ptLast;
    int m_bFirstRepeat = 0;
    COptionTreeSpinnerEdit m_ctlEdit;
    int m_nRepeatDelay = 500;
    int m_nRepeatInterval = 28;
    DWORD m_dwOptions = 0;
    // The last value shown or taken from a valid text.
    double m_dLastGood = 0.0;
};
