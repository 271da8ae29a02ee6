// The platform and suite services the Sheetor commands call: the file
// dialog, module loading by path, the alignment pick with its chainages and
// profile drawing, and the attributes of block references.
#include "CAcadConvert.h"
#include "IQvObjectSelector.h"
#include "Ombrix.h"
#include "QvEngineeringConstructor.h"
#include "SheetorFixture.h"
#include "Tracciati.h"

class ServiziTest : public SheetorTest {};

TEST_F(ServiziTest, TheFileDialogAnswersWithAWindowsPathOrNothing) {
    std::string esiste = File("Cartiglio.dwg", "x");
    std::wstring senzaEstensione = vplat::Utf8ToWide(esiste.substr(0, esiste.size() - 4));
    std::wstring atteso = vplat::ToWindowsPath(esiste);
    const struct {
        std::wstring script;
        DWORD spazio;
        BOOL risultato;
        DWORD errore;
    } casi[] = {
        {L"openfile " + senzaEstensione + L"\n", 1023, TRUE, 0},  // the default extension is added
        {L"openfile " + vplat::Utf8ToWide(esiste) + L"\n", 1023, TRUE, 0},
        // A missing file: the person tries again with the next answer.
        {L"openfile /nessuno/Manca.dwg\nopenfile " + vplat::Utf8ToWide(esiste) + L"\n", 1023, TRUE, 0},
        {L"openfile /nessuno/Manca.dwg\n", 1023, FALSE, 0},
        {L"openfile <cancel>\n", 1023, FALSE, 0},
        {L"openfile " + vplat::Utf8ToWide(esiste) + L"\n", static_cast<DWORD>(atteso.size()), FALSE,
         FNERR_BUFFERTOOSMALL},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(vplat::WideToUtf8(c.script));
        Script(c.script);
        wchar_t file[1024] = L"";
        OPENFILENAMEW ofn{};
        ofn.lpstrFile = file;
        ofn.nMaxFile = c.spazio;
        ofn.Flags = OFN_FILEMUSTEXIST;
        ofn.lpstrDefExt = L"dwg";
        ofn.lpstrTitle = L"Carica cartiglio";
        EXPECT_EQ(GetOpenFileNameW(&ofn), c.risultato);
        EXPECT_EQ(CommDlgExtendedError(), c.errore);
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
        if (!c.risultato) continue;
        EXPECT_EQ(std::wstring(file), atteso);
        EXPECT_STREQ(file + ofn.nFileOffset, L"Cartiglio.dwg");
        EXPECT_NE(vplat::Utf8ToWide(vplat::Transcript::Get().Render()).find(L"Carica cartiglio"), std::wstring::npos);
    }
}

TEST_F(ServiziTest, AModuleLoadedByPathIsInitialisedOnce) {
    // A copy of its own, so that no other test has loaded it before.
    std::filesystem::copy_file(VORTANA_SHEETOR_PROBE "/QvCADExtension.ARX", m_cartella / "QvCADExtension.ARX");
    std::wstring percorso = vplat::ToWindowsPath((m_cartella / "QvCADExtension.ARX").string());
    std::wstring conBarre = vplat::Utf8ToWide((m_cartella / "QvCADExtension.ARX").string());
    EXPECT_TRUE(acrxLoadModule(percorso.c_str(), false, false));
    EXPECT_TRUE(acrxLoadModule(conBarre.c_str(), false, false));
    std::wstring testo;
    for (const std::wstring& evento : vplat::Transcript::Get().Events("module")) testo += evento + L"\n";
    size_t prima = testo.find(L"QvCADExtension.ARX: kInitAppMsg");
    EXPECT_NE(prima, std::wstring::npos) << vplat::WideToUtf8(testo);
    EXPECT_EQ(testo.find(L"QvCADExtension.ARX: kInitAppMsg", prima + 1), std::wstring::npos) << "initialised twice";
    EXPECT_FALSE(acrxLoadModule(L"\\nessuno\\QvCADExtension.ARX", false, false));
    EXPECT_FALSE(acrxLoadModule(L"", false, false));
}

TEST_F(ServiziTest, TheAlignmentPickGivesItsEntityAndObjectAndNothingElse) {
    ICPROFILO::Disegno d = DisegnoProfilo(12.5);
    std::wstring asse = Tracciato({0, 0}, {1000, 0}, 100, &d);
    std::wstring senzaDisegno = Tracciato({0, 50}, {1000, 50}, 0);
    std::wstring contorno = Contorno(0, -50, 420, 297, 500);

    Script(L"entsel " + asse + L" 250,0\n");
    IQvObject* oggetto = nullptr;
    ads_point pick = {0, 0, 0};
    ZylEntityID e = IQvObject_Selector::SelIQvObject(QV_SELEZIONE_TRACCIATO, pick, &oggetto, L"Tracciato: ", 1, nullptr);
    EXPECT_EQ(e.GetHandle(), asse);
    ASSERT_TRUE(oggetto);
    EXPECT_EQ(qv_isA(oggetto), 100);
    EXPECT_EQ(pick[0], 250);
    auto* t = dynamic_cast<ICTRACCIATO*>(oggetto);
    ASSERT_TRUE(t);
    // The chainage of a plan point is its foot's, from the start chainage on.
    const struct {
        double x, y, prog;
    } punti[] = {{250, 30, 350}, {0, -10, 100}, {1200, 5, 1100}};
    for (const auto& p : punti) {
        ads_point q = {p.x, p.y, 0};
        double prog = -1;
        EXPECT_EQ(t->getProgressivaPunto(q, &prog), 1);
        EXPECT_NEAR(prog, p.prog, 1e-9) << p.x;
    }
    // The profile drawing's values come back from the drawing.
    ASSERT_TRUE(t->getProfiloVerticale());
    const ICPROFILO::Disegno& letto = t->getProfiloVerticale()->getDisegno();
    EXPECT_EQ(letto.h, 12.5);
    EXPECT_EQ(letto.p, d.p);
    EXPECT_EQ(letto.q, d.q);
    EXPECT_EQ(std::wstring(letto.V), L"10");
    EXPECT_EQ(std::wstring(letto.C), L"1");
    QvEngineeringConstructor::Libera(&oggetto, 1);
    EXPECT_FALSE(oggetto);

    // Without a profile, no profile; a pick of anything else, or a cancel, gives nothing.
    Script(L"entsel " + senzaDisegno + L"\n");
    e = IQvObject_Selector::SelIQvObject(QV_SELEZIONE_TRACCIATO, pick, &oggetto, L"Tracciato: ", 1, nullptr);
    ASSERT_TRUE(oggetto);
    EXPECT_FALSE(dynamic_cast<ICTRACCIATO*>(oggetto)->getProfiloVerticale());
    QvEngineeringConstructor::Libera(&oggetto, 1);
    for (const std::wstring& risposta : {contorno, std::wstring(L"<cancel>")}) {
        vplat::Transcript::Get().Clear();
        Script(L"entsel " + risposta + L"\n");
        e = IQvObject_Selector::SelIQvObject(QV_SELEZIONE_TRACCIATO, pick, &oggetto, L"Tracciato: ", 1, nullptr);
        EXPECT_TRUE(e.IsNull());
        EXPECT_FALSE(oggetto);
        EXPECT_EQ(CommandLine().find(L"*Invalid selection*") != std::wstring::npos, risposta == contorno);
    }
}

TEST_F(ServiziTest, ADrawnProfileWithoutItsDrawingGroupReadsAsNeverDrawn) {
    ICPROFILO* p = ICPROFILO::Alloca();
    EXPECT_FALSE(p->hasDisegno());
    EXPECT_EQ(p->getDisegno().h, 0.0);
    EXPECT_EQ(p->getDisegno().p, AcGePoint3d(0, 0, 0));
    EXPECT_EQ(std::wstring(p->getDisegno().V), L"0");
    EXPECT_EQ(std::wstring(p->getDisegno().C), L"0");
    ICPROFILO::libera(&p);
}

TEST_F(ServiziTest, ReferencesGetTheirBlocksAttributesAndWriteThemBackByTag) {
    AcDbObjectId id = Blocco(L"CARTIGLIO");
    AppendToBlock(m_db.get(), Definizione(L"PROGETTO", L"Progetto", L"SS 16"), L"CARTIGLIO");
    AppendToBlock(m_db.get(), Definizione(L"TITOLO", L"Titolo", L"Strada", true), L"CARTIGLIO");
    AppendToBlock(m_db.get(), Definizione(L"TAVOLA", L"Tavola", L"1"), L"CARTIGLIO");

    CADDatoArray dati;
    dati.Add(10, 5.0, 6.0, 0.0);
    dati.Add(8, L"ALTRO");
    ZylBlockRefID rif;
    ASSERT_NE(Ombrix::GetEntityUtils()->InserisciBlocco(
                  rif, ZylBlockID(CAcadConvert::ToZylTableRecordID(id).GetObjectId()), dati),
              0);
    CADDatoArray attributi;
    ASSERT_EQ(rif.GetAttributi(attributi), 1);
    const CADDatoArray* tag = attributi.GetArray(2);
    CADDatoArray* testi = attributi.GetArray(1);
    ASSERT_TRUE(tag && testi);
    ASSERT_EQ(tag->GetCount(), 2);  // the constant field has no attribute
    EXPECT_STREQ((*tag)[0].GetStringa(), L"PROGETTO");
    EXPECT_STREQ((*testi)[0].GetStringa(), L"SS 16");
    EXPECT_STREQ((*tag)[1].GetStringa(), L"TAVOLA");
    auto* r = vplat::Peek<AcDbBlockReference>(rif.GetObjectId());
    EXPECT_EQ(Attributi(r)[1].second, L"1");
    std::vector<AcDbObject*> figli;
    r->subObjects(figli);
    EXPECT_EQ(AcDbAttribute::cast(figli[0])->position(), AcGePoint3d(15, 16, 0));

    (*testi)[1].SetStringa(L"07");
    EXPECT_EQ(rif.SetAttributi(attributi), 1);
    EXPECT_EQ(Attributi(r), (std::vector<std::pair<std::wstring, std::wstring>>{{L"PROGETTO", L"SS 16"}, {L"TAVOLA", L"07"}}));
    // Arrays that do not pair up write nothing.
    testi->Add(2, L"in piu'");
    (*testi)[0].SetStringa(L"cambiato");
    EXPECT_EQ(rif.SetAttributi(attributi), 0);
    EXPECT_EQ(Attributi(r)[0].second, L"SS 16");
    EXPECT_EQ(ZylBlockRefID().GetAttributi(attributi), 0);
}
