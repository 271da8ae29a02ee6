// The framework's dialog, from a template in the current resource module,
// with data exchange.
#pragma once

#include "CException.h"
#include "CWnd.h"

class CUserException : public CSimpleException {
public:
    explicit CUserException(BOOL autoDelete = TRUE) : CSimpleException(autoDelete) {}
};
[[noreturn]] void AfxThrowUserException();

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    // The control's handle; a missing control stops the exchange.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id) { return PrepareCtrl(id); }
    [[noreturn]] void Fail();
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(LPCWSTR templateName, CWnd* parent = nullptr);

    // -1 when the template is not in the current resource module.
    virtual INT_PTR DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent = nullptr);
    BOOL InitModalIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent = nullptr);
    void EndDialog(int result);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
    BOOL MapDialogRect(LPRECT r) const { return ::MapDialogRect(m_hWnd, r); }

    UINT m_nIDHelp = 0;
    LPCWSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent, HINSTANCE instance);
    HWND PreModal();
    void PostModal() {}

    DECLARE_MESSAGE_MAP()
};

INT_PTR AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
