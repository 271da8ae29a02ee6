// The "Edita attributi" dialog: the title block's fields in a grid of three
// columns (label, value, counter mark), edited once for every sheet.
#pragma once

#include <afxwin.h>

#include <vector>

#include "CGestoreTavole.h"
#include "GridCtrl.h"

class CAttributiCartiglio : public CDialog {
    DECLARE_DYNAMIC(CAttributiCartiglio)

public:
    explicit CAttributiCartiglio(CWnd* parent = nullptr);
    ~CAttributiCartiglio() override;

    void ImpostaAttributi(std::vector<DatiAttributo> attributi) { m_attributi = std::move(attributi); }
    // After OK: the value and counter mark of the first row with that label;
    // false (value unchanged) when no row has it. The value is cut to 255
    // characters.
    bool LeggiAttributo(const std::wstring& etichetta, std::wstring& valore, bool& contatore) const;

    CGridCtrl m_griglia;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

private:
    std::vector<DatiAttributo> m_attributi;
};

// Runs the dialog on the fields and, after OK, takes back every field's
// value and counter mark. The dialog's result (IDOK, IDCANCEL ...).
INT_PTR EditaAttributiCartiglio(std::vector<DatiAttributo>& attributi);
