// The sheet layout: layouts in chainage order, their viewports and title
// blocks, and every way the command stops or skips a sheet.
#include "GridCellCheck.h"
#include "GridCtrl.h"
#include "SheetorFixture.h"

namespace {

struct Vista {
    AcGePoint3d centro;
    double larghezza, altezza, altezzaVista, rotazione;
    AcGePoint3d obiettivo;
    AcGePoint2d centroVista;
};

Vista Leggi(const AcDbViewport* v) {
    return {v->centerPoint(), v->width(), v->height(), v->viewHeight(), v->twistAngle(), v->viewTarget(),
            v->viewCenter()};
}

}  // namespace

class DisTrTest : public SheetorTest {
protected:
    // The straight alignment (0,0)-(1000,0) and the outlines A to D.
    void Scenario(const ICPROFILO::Disegno* profilo = nullptr) {
        m_asse = Tracciato({0, 0}, {1000, 0}, 0, profilo);
        m_a = Contorno(45.2, -50, 420, 297, 500);
        m_b = Contorno(120.7, -70, 420, 297, 1000);
        m_c = Contorno(300, 100, 420, 297, 500);       // the probe misses the alignment
        m_d = Contorno(600, -50, 420, 297, 500, 30);  // meets it at x = 571.1325
    }
    std::wstring Risposte(const std::wstring& selezione, const std::wstring& profilo = L"<enter>",
                          const std::wstring& cartiglio = L"<cancel>", const std::wstring& dialogo = L"") {
        return L"entsel " + m_asse + L"\nstring T\nselect " + selezione + L"\nstring " + profilo +
               L"\nopenfile " + cartiglio + L"\n" + dialogo + L"int 10\nint 20\n";
    }
    int Esegui() {
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        int r = g.DisegnaTavole();
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty())
            << vplat::WideToUtf8(vplat::Script::Get().Mismatches().front());
        return r;
    }
    AcDbBlockReference* Riferimento(const std::wstring& handle) const {
        return vplat::Peek<AcDbBlockReference>(ZylEntityID(handle.c_str(), ZylDatabase(m_db.get())).GetObjectId());
    }
    std::string Cartiglio(std::vector<AcDbAttributeDefinition*> definizioni) {
        return Disegno("Cartiglio.dwg", [&](AcDbDatabase& db) {
            AcGePoint3dArray v;
            for (auto p : {AcGePoint3d(0, 0, 0), AcGePoint3d(420, 0, 0), AcGePoint3d(420, 297, 0)}) v.append(p);
            AppendToBlock(&db, new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, true));
            for (auto* d : definizioni) AppendToBlock(&db, d);
        });
    }

    std::wstring m_asse, m_a, m_b, m_c, m_d;
};

TEST_F(DisTrTest, LaysTheSheetsOutInChainageOrderWithTheirPlanViewports) {
    Scenario();
    ASSERT_EQ(vplat::AddLayout(m_db.get(), L"T45"), 1);
    Script(Risposte(m_a + L" " + m_b + L" " + m_c + L" " + m_d));
    EXPECT_EQ(Esegui(), 0);

    EXPECT_EQ(Layouts(), (std::vector<std::wstring>{L"Layout1", L"T45", L"T0", L"T45_1", L"T120", L"T571"}));
    const struct {
        const wchar_t* layout;
        std::wstring* contorno;
        double altezzaVista, gradi;
    } fogli[] = {
        {L"T0", &m_c, 148.5, 0}, {L"T45_1", &m_a, 148.5, 0}, {L"T120", &m_b, 297, 0}, {L"T571", &m_d, 148.5, 30}};
    for (const auto& f : fogli) {
        SCOPED_TRACE(vplat::WideToUtf8(f.layout));
        std::vector<AcDbViewport*> viste = Viste(f.layout);
        ASSERT_EQ(viste.size(), 1u);
        // The sheet's own viewport (1) first, the plan's numbered after it.
        std::vector<AcDbViewport*> tutte = DelLayout<AcDbViewport>(f.layout);
        ASSERT_EQ(tutte.size(), 2u);
        EXPECT_EQ(tutte[0]->number(), 1);
        EXPECT_EQ(viste[0]->number(), 2);
        EXPECT_TRUE(DelLayout<AcDbBlockReference>(f.layout).empty()) << "a title block without a file";
        Vista v = Leggi(viste[0]);
        const AcDbBlockReference* r = Riferimento(*f.contorno);
        EXPECT_TRUE(viste[0]->isOn());
        EXPECT_TRUE(Vicini(v.centro, AcGePoint3d(220, 168.5, 0)));
        EXPECT_NEAR(v.larghezza, 420, 1e-9);
        EXPECT_NEAR(v.altezza, 297, 1e-9);
        EXPECT_NEAR(v.altezzaVista, f.altezzaVista, 1e-9);
        EXPECT_TRUE(Vicini(v.obiettivo, r->position()));
        EXPECT_NEAR(v.rotazione, -f.gradi * M_PI / 180, 1e-12);
        // Every corner of the outline lands on the viewport's corner.
        AcGeMatrix3d m = vplat::ViewportModelToPaper(viste[0]);
        double w = f.altezzaVista * 420 / 297, h = f.altezzaVista;
        const AcGePoint3d angoli[] = {{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}};
        const AcGePoint3d carta[] = {{10, 20, 0}, {430, 20, 0}, {430, 317, 0}, {10, 317, 0}};
        for (int i = 0; i < 4; ++i) {
            AcGePoint3d p = angoli[i];
            p.transformBy(r->blockTransform()).transformBy(m);
            EXPECT_TRUE(Vicini(p, carta[i], 1e-9)) << i << ": " << p.x << "," << p.y;
        }
    }
    EXPECT_NE(CommandLine().find(L"Selezionare i contorni tavola:"), std::wstring::npos);
}

TEST(SheetorViste, ModelToPaperTurnsAboutTheTargetAndScalesByTheViewHeight) {
    AcDbViewport v;
    v.setCenterPoint(AcGePoint3d(100, 50, 0));
    v.setWidth(80);
    v.setHeight(40);
    v.setViewHeight(20);
    v.setViewCenter(AcGePoint2d(5, 2));
    v.setViewTarget(AcGePoint3d(1000, 2000, 0));
    v.setTwistAngle(M_PI / 2);
    AcGeMatrix3d m = vplat::ViewportModelToPaper(&v);
    const struct {
        AcGePoint3d modello, carta;
    } casi[] = {
        // The target goes to the centre less the view centre (scale 2).
        {{1000, 2000, 0}, {90, 46, 0}},
        // A step east turns north on paper, twice as long.
        {{1001, 2000, 0}, {90, 48, 0}},
        {{1000, 2001, 0}, {88, 46, 0}},
    };
    for (const auto& c : casi) {
        AcGePoint3d p = c.modello;
        p.transformBy(m);
        EXPECT_TRUE(Vicini(p, c.carta, 1e-9)) << p.x << "," << p.y;
    }
}

TEST_F(DisTrTest, TheProfileViewportSitsAboveThePlanWhenAskedFor) {
    ICPROFILO::Disegno d = DisegnoProfilo();
    Scenario(&d);
    const struct {
        const wchar_t* risposta;
        size_t viste;
    } casi[] = {{L"s", 2}, {L"S", 2}, {L"<enter>", 1}, {L"N", 1}};
    int n = 0;
    for (const auto& c : casi) {
        SCOPED_TRACE(vplat::WideToUtf8(c.risposta));
        std::wstring script = Risposte(m_a, c.risposta);
        script.replace(script.find(L"string T"), 8, L"string P" + std::to_wstring(n++) + L"_");
        Script(script);
        EXPECT_EQ(Esegui(), 0);
        std::vector<AcDbViewport*> viste = Viste(Layouts().back());
        ASSERT_EQ(viste.size(), c.viste);
        if (c.viste < 2) continue;
        EXPECT_EQ(viste[1]->number(), 3);
        Vista v = Leggi(viste[1]);
        EXPECT_NEAR(v.altezza, 120, 1e-9);
        EXPECT_NEAR(v.larghezza, 420, 1e-9);
        EXPECT_TRUE(Vicini(v.centro, AcGePoint3d(220, 377, 0)));
        EXPECT_NEAR(v.altezzaVista, 60, 1e-12);
        EXPECT_TRUE(Vicini(v.obiettivo, AcGePoint3d(45.2, 500, 0)));
        EXPECT_TRUE(Vicini(AcGePoint3d(v.centroVista.x, v.centroVista.y, 0), AcGePoint3d(105, 30, 0)));
        EXPECT_EQ(v.rotazione, 0.0);
    }
}

TEST_F(DisTrTest, ProfileScalesThatReadAsZeroSkipOnlyTheProfileViewport) {
    ICPROFILO::Disegno d = DisegnoProfilo(0, L"0");
    Scenario(&d);
    Script(Risposte(m_a, L"s"));
    EXPECT_EQ(Esegui(), 0);
    std::vector<AcDbViewport*> viste = Viste(L"T45");
    ASSERT_EQ(viste.size(), 1u);
    EXPECT_NEAR(viste[0]->height(), 297, 1e-9);
    EXPECT_NE(CommandLine().find(L"Scale del profilo non valide"), std::wstring::npos);
}

TEST_F(DisTrTest, AnOutlineWhoseScaleIsNoPositiveNumberIsNotLaidOut) {
    Scenario();
    CADDatoArray attributi;
    ASSERT_TRUE(ZylBlockRefID(ZylEntityID(m_a.c_str(), ZylDatabase(m_db.get()))).GetAttributi(attributi));
    attributi.GetArray(1)->operator[](0).SetStringa(L"abc");
    ASSERT_TRUE(ZylBlockRefID(ZylEntityID(m_a.c_str(), ZylDatabase(m_db.get()))).SetAttributi(attributi));
    Script(Risposte(m_a + L" " + m_b));
    EXPECT_EQ(Esegui(), 0);
    EXPECT_EQ(Layouts(), (std::vector<std::wstring>{L"Layout1", L"T120"}));
    for (const std::wstring& l : Layouts())
        for (AcDbViewport* v : Viste(l)) {
            EXPECT_TRUE(std::isfinite(v->height()) && std::isfinite(v->width()) && std::isfinite(v->viewHeight()));
        }
    EXPECT_NE(CommandLine().find(L"Scala del contorno non valida"), std::wstring::npos);
}

TEST_F(DisTrTest, LongPrefixesAndFarChainagesMakeWholeNames) {
    m_asse = Tracciato({0, 0}, {1000, 0}, 3e9);
    m_a = Contorno(0, -50, 420, 297, 500);
    // A prefix the command line cannot hold whole stops the command.
    const struct {
        size_t lunghezza;
        int risultato;
    } casi[] = {{130, 0}, {250, 3}};
    for (const auto& c : casi) {
        std::wstring prefisso(c.lunghezza, L'P');
        std::wstring script = Risposte(m_a);
        if (c.risultato) script = L"entsel " + m_asse + L"\nstring T\n";
        script.replace(script.find(L"string T"), 8, L"string " + prefisso);
        Script(script);
        size_t prima = Layouts().size();
        EXPECT_EQ(Esegui(), c.risultato);
        if (c.risultato == 0) {
            ASSERT_EQ(Layouts().size(), prima + 1);
            EXPECT_EQ(Layouts().back(), prefisso + L"3000000000");
        } else {
            EXPECT_EQ(Layouts().size(), prima);
        }
    }
}

TEST_F(DisTrTest, ALayoutThatCannotBeMadeCurrentIsSkippedAndTheOthersStayWhole) {
    vplat::LispSymbols::SetText(L"qv-cpath", vplat::ToWindowsPath(VORTANA_SHEETOR_PROBE "/"));
    Scenario();
    std::string cartiglio = Cartiglio({Definizione(L"TAVOLA", L"Tavola", L"1")});
    // The counter ticked with the value 7, as the person would in the grid.
    vplat::ModalLoop::SetIdleHook([](HWND h, int) {
        auto* g = dynamic_cast<CGridCtrl*>(CWnd::FromHandle(GetDlgItem(h, 1003)));
        ASSERT_TRUE(g);
        g->SetCellText(1, 1, L"7");
        dynamic_cast<CGridCellCheck*>(g->CellAt(1, 2))->SetCheck(TRUE);
    });
    Script(Risposte(m_a + L" " + m_b + L" " + m_d, L"<enter>", vplat::Utf8ToWide(cartiglio), L"dialog 101 click 1\n"));
    EXPECT_EQ(Esegui(), 0);
    EXPECT_EQ(Layouts(), (std::vector<std::wstring>{L"Layout1", L"T45", L"T120", L"T571"}));
    EXPECT_TRUE(DelLayout<AcDbEntity>(L"T120").empty());
    const std::pair<const wchar_t*, const wchar_t*> fogli[] = {{L"T45", L"07"}, {L"T571", L"09"}};
    for (const auto& [l, numero] : fogli) {
        std::vector<AcDbBlockReference*> cartigli = DelLayout<AcDbBlockReference>(l);
        ASSERT_EQ(cartigli.size(), 1u) << vplat::WideToUtf8(l);
        EXPECT_EQ(Attributi(cartigli[0]), (std::vector<std::pair<std::wstring, std::wstring>>{{L"TAVOLA", numero}}));
        EXPECT_EQ(Viste(l).size(), 1u) << vplat::WideToUtf8(l);
    }
    EXPECT_NE(CommandLine().find(L"Impossibile rendere corrente il layout"), std::wstring::npos);
}

TEST_F(DisTrTest, BadAnswersStopBeforeAnyLayoutIsMade) {
    Scenario();
    std::string cartiglio = Cartiglio({Definizione(L"PROGETTO", L"Progetto", L"")});
    const struct {
        const char* caso;
        std::wstring script;
        const wchar_t* messaggio;
    } casi[] = {
        {"pick cancelled", L"entsel <cancel>\n", nullptr},
        {"not an alignment", L"entsel " + m_a + L"\n", L"*Invalid selection*"},
        {"prefix cancelled", L"entsel " + m_asse + L"\nstring <cancel>\n", nullptr},
        {"nothing selected", L"entsel " + m_asse + L"\nstring T\nselect <cancel>\n",
         L"Nessun contorno tavola selezionato."},
        {"no outline among the selected", L"entsel " + m_asse + L"\nstring T\nselect " + m_asse + L"\n",
         L"Nessun contorno tavola selezionato."},
        {"profile question cancelled", L"entsel " + m_asse + L"\nstring T\nselect " + m_a + L"\nstring <cancel>\n",
         nullptr},
        {"dialog cancelled", L"entsel " + m_asse + L"\nstring T\nselect " + m_a + L"\nstring <enter>\nopenfile " +
                                 vplat::Utf8ToWide(cartiglio) + L"\ndialog 101 click 2\n",
         nullptr},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        vplat::Transcript::Get().Clear();
        Script(c.script);
        EXPECT_EQ(Esegui(), 3);
        EXPECT_EQ(Layouts(), (std::vector<std::wstring>{L"Layout1"}));
        if (c.messaggio) {
            EXPECT_NE(CommandLine().find(c.messaggio), std::wstring::npos) << vplat::WideToUtf8(CommandLine());
        }
    }
}

TEST_F(DisTrTest, AMissingExtensionModuleStopsWithAMessage) {
    vplat::LispSymbols::SetText(L"qv-cpath", vplat::ToWindowsPath(m_cartella.string() + "/"));
    Scenario();
    EXPECT_EQ(Esegui(), 3);
    EXPECT_NE(CommandLine().find(L"QvCADExtension.ARX"), std::wstring::npos);
    EXPECT_EQ(Layouts(), (std::vector<std::wstring>{L"Layout1"}));
}

TEST_F(DisTrTest, AFileThatDoesNotReadGivesSheetsWithoutTitleBlock) {
    Scenario();
    std::string rotto = File("Rotto.dwg", "niente\n");
    Script(Risposte(m_a, L"<enter>", vplat::Utf8ToWide(rotto)));
    EXPECT_EQ(Esegui(), 0);
    EXPECT_EQ(DelLayout<AcDbBlockReference>(L"T45").size(), 0u);
    EXPECT_EQ(Viste(L"T45").size(), 1u);
    EXPECT_NE(CommandLine().find(L"Impossibile caricare il cartiglio"), std::wstring::npos);
    // The reader's reason comes first, with the file and the line.
    EXPECT_NE(CommandLine().find(L"Rotto.dwg: line 1: not a DXF file"), std::wstring::npos)
        << vplat::WideToUtf8(CommandLine());
}

TEST_F(DisTrTest, TheTitleBlockTakesTheFieldsAfterOkOnEverySheet) {
    Scenario();
    std::wstring lungo(300, L'L');
    std::string cartiglio = Cartiglio({Definizione(L"PROGETTO", L"Progetto", L"SS 16"),
                                       Definizione(L"TAVOLA", L"Tavola", L"1"),
                                       Definizione(L"LUNGO", lungo.c_str(), L"X"),
                                       Definizione(L"COPIA", L"Progetto", L"altro"),
                                       Definizione(L"TITOLO", L"Titolo", L"Strada", true)});
    Script(Risposte(m_a + L" " + m_b + L" " + m_c, L"<enter>", vplat::Utf8ToWide(cartiglio),
                    L"dialog 101 click 1\n"));
    EXPECT_EQ(Esegui(), 0);
    for (const wchar_t* l : {L"T0", L"T45", L"T120"}) {
        std::vector<AcDbBlockReference*> rif = DelLayout<AcDbBlockReference>(l);
        ASSERT_EQ(rif.size(), 1u) << vplat::WideToUtf8(l);
        EXPECT_EQ(rif[0]->position(), AcGePoint3d(0, 0, 0));
        // A constant field has no attribute; two definitions of one prompt
        // take the first field's text; a prompt of 300 characters keeps its text.
        EXPECT_EQ(Attributi(rif[0]), (std::vector<std::pair<std::wstring, std::wstring>>{
                                         {L"PROGETTO", L"SS 16"}, {L"TAVOLA", L"1"}, {L"LUNGO", L"X"},
                                         {L"COPIA", L"SS 16"}}))
            << vplat::WideToUtf8(l);
    }
}

TEST_F(DisTrTest, ATitleBlockWithOnlyConstantFieldsAsksNothing) {
    Scenario();
    std::string cartiglio = Cartiglio({Definizione(L"TITOLO", L"Titolo", L"Strada", true)});
    Script(Risposte(m_a, L"<enter>", vplat::Utf8ToWide(cartiglio)));
    EXPECT_EQ(Esegui(), 0);
    std::vector<AcDbBlockReference*> rif = DelLayout<AcDbBlockReference>(L"T45");
    ASSERT_EQ(rif.size(), 1u);
    EXPECT_TRUE(Attributi(rif[0]).empty());
}

// Counters advance by the sheet's index and never lose digits.
TEST_F(DisTrTest, CountersAdvanceBySheetIndex) {
    std::string percorso = Cartiglio({Definizione(L"TAVOLA", L"Tavola", L"1"), Definizione(L"SCALA", L"Scala", L"")});
    const struct {
        const wchar_t* valore;
        bool contatore;
        std::vector<std::wstring> testi;
    } casi[] = {
        {L"7", true, {L"07", L"08", L"09", L"10"}},
        {L"1", true, {L"01", L"02", L"03", L"04"}},
        {L"99", true, {L"99", L"100", L"101", L"102"}},
        {L"abc", true, {L"00", L"01", L"02", L"03"}},
        {L"2147483647", true, {L"2147483647", L"2147483648", L"2147483649", L"2147483650"}},
        // At the ends of the 64-bit range the count stays there.
        {L"9223372036854775805", true,
         {L"9223372036854775805", L"9223372036854775806", L"9223372036854775807", L"9223372036854775807"}},
        {L"99999999999999999999", true,
         {L"9223372036854775807", L"9223372036854775807", L"9223372036854775807", L"9223372036854775807"}},
        {L"-99999999999999999999", true,
         {L"-9223372036854775807", L"-9223372036854775806", L"-9223372036854775805", L"-9223372036854775804"}},
        {L"7", false, {L"7", L"7", L"7", L"7"}},
    };
    AcDbDatabase sorgente(false, true);
    ASSERT_EQ(sorgente.readDwgFile(vplat::Utf8ToWide(percorso).c_str(), 1), Acad::eOk);
    AcDbObjectId blocco;
    ASSERT_EQ(m_db->insert(blocco, L"Cartiglio", &sorgente), Acad::eOk);
    for (const auto& c : casi) {
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        g.m_attributi = {{L"Tavola", c.valore, c.contatore}, {L"Scala", L"500", false}};
        for (int k = 0; k < 4; ++k) {
            auto* r = new AcDbBlockReference(AcGePoint3d(0, 0, 0), blocco);
            AcDbObjectId id = AppendToBlock(m_db.get(), r);
            AcDbBlockReference* aperto = nullptr;
            ASSERT_EQ(acdbOpenObject(aperto, id, AcDb::kForWrite), Acad::eOk);
            g.AggiungiAttributiCartiglio(aperto, blocco, k);
            aperto->close();
            // Every attribute appended is closed again.
            EXPECT_TRUE(vplat::OpenObjects(m_db.get()).empty()) << vplat::WideToUtf8(vplat::OpenObjects(m_db.get())[0]);
            EXPECT_EQ(Attributi(vplat::Peek<AcDbBlockReference>(id)),
                      (std::vector<std::pair<std::wstring, std::wstring>>{{L"TAVOLA", c.testi[k]}, {L"SCALA", L"500"}}))
                << vplat::WideToUtf8(c.valore) << " sheet " << k;
        }
    }
}
