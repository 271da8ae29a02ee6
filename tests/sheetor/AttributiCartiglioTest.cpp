// The "Edita attributi" dialog: what its grid shows, what it hands back after
// OK, and the counters it sets going through the sheet layout.
#include "CAttributiCartiglio.h"
#include "GridCellCheck.h"
#include "SheetorFixture.h"

namespace {

CGridCtrl* Griglia(HWND dialogo) { return dynamic_cast<CGridCtrl*>(CWnd::FromHandle(GetDlgItem(dialogo, 1003))); }

// A value set over column 1 and the counter box of column 2 set, straight
// through the grid (long values, and states the script cannot reach quickly).
void Compila(HWND dialogo, int riga, const wchar_t* valore, bool contatore) {
    CGridCtrl* g = Griglia(dialogo);
    ASSERT_TRUE(g);
    g->SetCellText(riga, 1, valore);
    auto* cella = dynamic_cast<CGridCellCheck*>(g->CellAt(riga, 2));
    ASSERT_TRUE(cella);
    cella->SetCheck(contatore);
}

}  // namespace

class AttributiCartiglioTest : public SheetorTest {};

TEST_F(AttributiCartiglioTest, TheGridShowsOneRowPerFieldUnderItsHeader) {
    std::vector<std::wstring> righe;
    vplat::ModalLoop::SetIdleHook([&](HWND dialogo, int) {
        CGridCtrl* g = Griglia(dialogo);
        ASSERT_TRUE(g);
        ASSERT_EQ(g->GetRowCount(), 3);
        ASSERT_EQ(g->GetColumnCount(), 3);
        for (int r = 0; r < 3; ++r)
            righe.push_back(std::wstring(g->CellText(r, 0)) + L"|" + std::wstring(g->CellText(r, 1)) + L"|" +
                            std::wstring(g->CellText(r, 2)));
        EXPECT_TRUE(g->CellState(1, 0) & CELL_READONLY);
        EXPECT_FALSE(g->CellState(1, 1) & CELL_READONLY);
        auto* check = dynamic_cast<CGridCellCheck*>(g->CellAt(1, 2));
        ASSERT_TRUE(check);
        EXPECT_FALSE(check->GetCheck());
        EXPECT_EQ(g->GetColumnWidth(0), 130);
        EXPECT_EQ(g->GetColumnWidth(1), 70);
        EXPECT_EQ(g->GetColumnWidth(2), 55);
        EXPECT_EQ(g->selectionEnabled, 0);
    });
    Script(L"dialog 101 click 1\n");
    std::vector<DatiAttributo> campi = {{L"Progetto", L"SS 16", false}, {L"Tavola", L"1", false}};
    EXPECT_EQ(EditaAttributiCartiglio(campi), IDOK);
    EXPECT_EQ(righe, (std::vector<std::wstring>{L"Etichetta|Valore|Cont.", L"Progetto|SS 16|", L"Tavola|1|"}));
}

TEST_F(AttributiCartiglioTest, OkHandsBackValuesAndCountersAndCancelLeavesTheFields) {
    const struct {
        const wchar_t* pulsante;
        INT_PTR risultato;
        std::vector<DatiAttributo> dopo;
    } casi[] = {
        {L"1", IDOK, {{L"Progetto", L"Variante", false}, {L"Tavola", L"7", true}, {L"Progetto", L"Variante", false}}},
        {L"2", IDCANCEL, {{L"Progetto", L"SS 16", false}, {L"Tavola", L"1", false}, {L"Progetto", L"altro", false}}},
    };
    for (const auto& c : casi) {
        vplat::ModalLoop::SetIdleHook([](HWND dialogo, int) {
            Compila(dialogo, 1, L"Variante", false);
            Compila(dialogo, 2, L"7", true);
        });
        Script(std::wstring(L"dialog 101 click ") + c.pulsante + L"\n");
        // Two fields of one label both take the first row's value.
        std::vector<DatiAttributo> campi = {
            {L"Progetto", L"SS 16", false}, {L"Tavola", L"1", false}, {L"Progetto", L"altro", false}};
        EXPECT_EQ(EditaAttributiCartiglio(campi), c.risultato);
        ASSERT_EQ(campi.size(), c.dopo.size());
        for (size_t i = 0; i < campi.size(); ++i) {
            EXPECT_EQ(campi[i].valore, c.dopo[i].valore) << i;
            EXPECT_EQ(campi[i].contatore, c.dopo[i].contatore) << i;
        }
    }
}

TEST_F(AttributiCartiglioTest, LeggiAttributoCutsLongValuesAndMissesUnknownLabels) {
    CAttributiCartiglio dialogo;
    dialogo.ImpostaAttributi({{L"Progetto", L"", false}});
    vplat::ModalLoop::SetIdleHook([](HWND h, int) { Compila(h, 1, std::wstring(300, L'v').c_str(), true); });
    Script(L"dialog 101 click 1\n");
    ASSERT_EQ(dialogo.DoModal(), IDOK);
    std::wstring valore = L"prima";
    bool contatore = true;
    EXPECT_FALSE(dialogo.LeggiAttributo(L"Altro", valore, contatore));
    EXPECT_EQ(valore, L"prima");
    EXPECT_FALSE(contatore);
    EXPECT_TRUE(dialogo.LeggiAttributo(L"Progetto", valore, contatore));
    EXPECT_EQ(valore, std::wstring(255, L'v'));
    EXPECT_TRUE(contatore);
}

class TavoleConCartiglioTest : public SheetorTest {};

TEST_F(TavoleConCartiglioTest, ACounterSetInTheDialogNumbersTheSheets) {
    std::wstring asse = Tracciato({0, 0}, {1000, 0});
    std::wstring a = Contorno(45.2, -50, 420, 297, 500), b = Contorno(120.7, -70, 420, 297, 1000),
                 c = Contorno(300, 100, 420, 297, 500), d = Contorno(600, -50, 420, 297, 500, 30);
    std::string cartiglio = Disegno("Cartiglio.dwg", [](AcDbDatabase& db) {
        AppendToBlock(&db, Definizione(L"TAVOLA", L"Tavola", L"1"));
        AppendToBlock(&db, Definizione(L"PROGETTO", L"Progetto", L""));
    });
    vplat::ModalLoop::SetIdleHook([](HWND h, int) {
        Compila(h, 1, L"7", true);
        Compila(h, 2, L"SS 16", false);
    });
    Script(L"entsel " + asse + L"\nstring T\nselect " + a + L" " + b + L" " + c + L" " + d +
           L"\nstring <enter>\nopenfile " + vplat::Utf8ToWide(cartiglio) + L"\ndialog 101 click 1\nint 10\nint 20\n");
    CGestoreTavole g;
    g.m_pDb = m_db.get();
    EXPECT_EQ(g.DisegnaTavole(), 0);
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
    const std::pair<const wchar_t*, const wchar_t*> attesi[] = {
        {L"T0", L"07"}, {L"T45", L"08"}, {L"T120", L"09"}, {L"T571", L"10"}};
    for (const auto& [layout, numero] : attesi) {
        std::vector<AcDbBlockReference*> rif = DelLayout<AcDbBlockReference>(layout);
        ASSERT_EQ(rif.size(), 1u) << vplat::WideToUtf8(layout);
        EXPECT_EQ(Attributi(rif[0]),
                  (std::vector<std::pair<std::wstring, std::wstring>>{{L"TAVOLA", numero}, {L"PROGETTO", L"SS 16"}}))
            << vplat::WideToUtf8(layout);
    }
}

// The person ticks the counter box of a row and types over the values, each
// a click on the value cell, the text and Return; Cancel keeps the fields.
TEST_F(AttributiCartiglioTest, TheFieldsAreFilledAsAPersonFillsThem) {
    const std::wstring mani = L"dialog 101 click 1003 at 212,55\n"
                              L"dialog 101 click 1003 at 170,33\ndialog 101 type Variante nord\ndialog 101 key RETURN\n"
                              L"dialog 101 click 1003 at 170,55\ndialog 101 type 12\ndialog 101 key RETURN\n";
    const struct {
        const wchar_t* pulsante;
        INT_PTR risultato;
        std::vector<DatiAttributo> dopo;
    } casi[] = {
        {L"1", IDOK, {{L"Progetto", L"Variante nord", false}, {L"Tavola", L"12", true}}},
        {L"2", IDCANCEL, {{L"Progetto", L"SS 16", false}, {L"Tavola", L"1", false}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(vplat::WideToUtf8(c.pulsante));
        Script(mani + L"dialog 101 click " + c.pulsante + L"\n");
        std::vector<DatiAttributo> campi = {{L"Progetto", L"SS 16", false}, {L"Tavola", L"1", false}};
        EXPECT_EQ(EditaAttributiCartiglio(campi), c.risultato);
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
        for (size_t i = 0; i < campi.size(); ++i) {
            EXPECT_EQ(campi[i].valore, c.dopo[i].valore) << i;
            EXPECT_EQ(campi[i].contatore, c.dopo[i].contatore) << i;
        }
    }
}
