#include "CAttributiCartiglio.h"

#include <TranslatorBinding.h>

#include "GridCellCheck.h"
#include "GridTypes.h"
#include "SheetorResource.h"

IMPLEMENT_DYNAMIC(CAttributiCartiglio, CDialog)

BEGIN_MESSAGE_MAP(CAttributiCartiglio, CDialog)
END_MESSAGE_MAP()

CAttributiCartiglio::CAttributiCartiglio(CWnd* parent) : CDialog(IDD_EDITA_ATTRIBUTI, parent) {}

CAttributiCartiglio::~CAttributiCartiglio() {
    m_attributi.clear();
    if (m_griglia.GetSafeHwnd()) m_griglia.DestroyWindow();
}

void CAttributiCartiglio::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_GRIGLIA_ATTRIBUTI, m_griglia);
}

BOOL CAttributiCartiglio::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);

    m_griglia.SetCallbackMode(FALSE);
    m_griglia.editable = 1;
    m_griglia.rowResize = 0;
    m_griglia.hiddenColumnDragUnhide = 0;
    m_griglia.autoSizeScope = 3;
    for (BOOL riga : {FALSE, TRUE})
        for (BOOL colonna : {FALSE, TRUE}) m_griglia.DefaultCellFor(riga, colonna)->SetHeight(22);
    m_griglia.fixedColumnClickSelects = 1;

    m_griglia.SetRows(static_cast<int>(m_attributi.size()) + 1);
    m_griglia.SetColumns(3);
    m_griglia.SetHeaderRows(1);
    m_griglia.SetHeaderColumns(1);
    m_griglia.ClearSelection();
    m_griglia.selectionEnabled = 0;
    m_griglia.ClearSelection();

    m_griglia.SetWidthOfColumn(0, 130);
    m_griglia.SetWidthOfColumn(1, 70);
    m_griglia.SetWidthOfColumn(2, 55);

    m_griglia.SetCellText(0, 0, TranslateText(L"Etichetta"));
    m_griglia.SetCellText(0, 1, TranslateText(L"Valore"));
    m_griglia.SetCellText(0, 2, TranslateText(L"Cont."));

    for (size_t i = 0; i < m_attributi.size(); ++i) {
        int riga = static_cast<int>(i) + 1;
        m_griglia.SetCellText(riga, 0, m_attributi[i].etichetta.c_str());
        m_griglia.SetCellState(riga, 0, m_griglia.CellState(riga, 0) | CELL_READONLY);
        m_griglia.SetCellText(riga, 1, m_attributi[i].valore.c_str());
        m_griglia.SetCellKind(riga, 2, RUNTIME_CLASS(CGridCellCheck));
    }
    return TRUE;
}

bool CAttributiCartiglio::LeggiAttributo(const std::wstring& etichetta, std::wstring& valore,
                                         bool& contatore) const {
    contatore = false;
    for (int riga = 1; riga < m_griglia.GetRowCount(); ++riga) {
        if (std::wstring(static_cast<LPCWSTR>(m_griglia.CellText(riga, 0))) != etichetta) continue;
        auto* cella = dynamic_cast<CGridCellCheck*>(m_griglia.CellAt(riga, 2));
        contatore = cella && cella->GetCheck();
        valore = std::wstring(static_cast<LPCWSTR>(m_griglia.CellText(riga, 1))).substr(0, 255);
        return true;
    }
    return false;
}

INT_PTR EditaAttributiCartiglio(std::vector<DatiAttributo>& attributi) {
    CAttributiCartiglio dialogo;
    dialogo.ImpostaAttributi(attributi);
    INT_PTR r = dialogo.DoModal();
    if (r != IDOK) return r;
    for (DatiAttributo& a : attributi) dialogo.LeggiAttributo(a.etichetta, a.valore, a.contatore);
    return r;
}
