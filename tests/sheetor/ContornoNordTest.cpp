// The outline and north-arrow commands: what they draw, and every way they stop.
#include "Ombrix.h"
#include "SheetorFixture.h"

namespace {

const AcDbBlockReference* Rif(AcDbObjectId id) { return vplat::Peek<AcDbBlockReference>(id); }

}  // namespace

TEST(SheetorNomi, NomeBloccoDaFileTakesTheFileNameWithoutItsLastFourCharacters) {
    const struct {
        const wchar_t* percorso;
        const wchar_t* nome;
    } casi[] = {
        {L"C:\\Suite\\Cartiglio.dwg", L"Cartiglio"},
        {L"Cartiglio.dwg", L"Cartiglio"},
        {L"\\work\\a.b\\Nord.dwg", L"Nord"},
        {L"C:\\a.b", L""},   // a name of four characters or fewer gives no block
        {L"C:\\abcd", L""},
        {L"", L""},
    };
    for (const auto& c : casi) EXPECT_EQ(NomeBloccoDaFile(c.percorso), c.nome) << vplat::WideToUtf8(c.percorso);
}

TEST(SheetorNomi, CountersAndLayoutNamesReadPastTheIntRange) {
    const struct {
        const wchar_t* testo;
        long long valore;
    } contatori[] = {
        {L"7", 7}, {L"  -3", -3}, {L"+12abc", 12}, {L"abc", 0}, {L"", 0},
        {L"2147483647", 2147483647LL}, {L"99999999999999999999999", LLONG_MAX},
    };
    for (const auto& c : contatori) EXPECT_EQ(ValoreContatore(c.testo), c.valore) << vplat::WideToUtf8(c.testo);

    std::wstring lungo(130, L'P');
    EXPECT_EQ(NomeLayout(lungo, 3e9, 0), lungo + L"3000000000");
    EXPECT_EQ(NomeLayout(L"T", 45.9, 0), L"T45");
    EXPECT_EQ(NomeLayout(L"T", -45.9, 2), L"T-45_2");
    EXPECT_EQ(NomeLayout(L"T", std::nan(""), 0), L"T0");
}

class BlkDisTrTest : public SheetorTest {};

TEST_F(BlkDisTrTest, DrawsAnAnonymousOutlineBlockWithItsScaleAttribute) {
    Script(L"point 100,200\nint 420\nint 297\nreal 500\n");
    CGestoreTavole g;
    g.m_pDb = m_db.get();
    EXPECT_EQ(g.CreaContornoTavola(), 0);

    std::vector<AcDbObjectId> rif = Riferimenti(ACDB_MODEL_SPACE);
    ASSERT_EQ(rif.size(), 1u);
    const AcDbBlockReference* r = Rif(rif[0]);
    EXPECT_EQ(r->position(), AcGePoint3d(100, 200, 0));
    EXPECT_EQ(r->layerName(), L"QV_LAYOUT_CONTOUR");
    EXPECT_EQ(Attributi(r), (std::vector<std::pair<std::wstring, std::wstring>>{{L"SCALEDISTR", L"500.000000"}}));
    EXPECT_DOUBLE_EQ(g.LeggiScalaTavola(r), 500.0);

    auto* blocco = vplat::Peek<AcDbBlockTableRecord>(r->blockTableRecord());
    ASSERT_TRUE(blocco);
    EXPECT_TRUE(blocco->isAnonymous());
    std::vector<vplat::PolyVertex> vertici;
    const AcDbAttributeDefinition* def = nullptr;
    for (const auto& stub : m_db->store().Stubs()) {
        auto* e = AcDbEntity::cast(stub->object);
        if (!e || e->ownerId() != blocco->objectId()) continue;
        if (auto* p = AcDb2dPolyline::cast(e)) {
            EXPECT_TRUE(p->isClosed());
            EXPECT_EQ(p->layerName(), L"QV_LAYOUT_CONTOUR");
            vplat::PolylineVertices(p, vertici);
        }
        if (auto* a = AcDbAttributeDefinition::cast(e)) def = a;
    }
    ASSERT_EQ(vertici.size(), 4u);
    const AcGePoint3d attesi[] = {{0, 0, 0}, {210, 0, 0}, {210, 148.5, 0}, {0, 148.5, 0}};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(vertici[i].point, attesi[i]) << i;
    ASSERT_TRUE(def);
    EXPECT_STREQ(def->tagConst(), L"SCALEDISTR");
    EXPECT_STREQ(def->promptConst(), L"Scala: ");
    EXPECT_DOUBLE_EQ(def->height(), 7.425);
    EXPECT_EQ(def->layerName(), L"QV_LAYOUT_SCALE");
    EXPECT_EQ(def->position(), AcGePoint3d(0, 0, 0));
}

TEST_F(BlkDisTrTest, ACancelledInputDrawsNothing) {
    const wchar_t* casi[] = {
        L"point <cancel>\n",
        L"point 0,0\nint <cancel>\n",
        L"point 0,0\nint 420\nint <cancel>\n",  // no further prompt after the height
        L"point 0,0\nint 420\nint 297\nreal <cancel>\n",
    };
    for (const wchar_t* script : casi) {
        Script(script);
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        EXPECT_EQ(g.CreaContornoTavola(), 3) << vplat::WideToUtf8(script);
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty()) << vplat::WideToUtf8(script);
        EXPECT_TRUE(Riferimenti(ACDB_MODEL_SPACE).empty());
    }
    auto* bt = vplat::Peek<AcDbBlockTable>(m_db->blockTableId());
    for (AcDbObjectId id : bt->recordIds())
        EXPECT_FALSE(vplat::Peek<AcDbBlockTableRecord>(id)->isAnonymous()) << "an outline block was made";
}

// Sizes and scales that are no sheet's are asked again, and the outline is
// drawn from the answer that is.
TEST_F(BlkDisTrTest, AValueThatIsNoSheetsIsAskedAgain) {
    const struct {
        const wchar_t* risposte;  // width, height and scale, with the refused ones
        const wchar_t* motivo;
    } casi[] = {
        {L"int 0\nint 420\nint 297\nreal 500\n", L"Value must be nonzero."},
        {L"int 420\nint -1\nint 297\nreal 500\n", L"Value must be positive."},
        {L"int 420\nint <enter>\nint 297\nreal 500\n", L"Requires an integer value"},
        {L"int 420\nint 297\nreal 0\nreal 500\n", L"Value must be nonzero."},
        {L"int 420\nint 297\nreal 1e308\nreal 500\n", L"Scala fuori dai limiti (al massimo 1000000)."},
        {L"int 420\nint 297\nreal 1000001\nreal 500\n", L"Scala fuori dai limiti (al massimo 1000000)."},
        {L"int 420\nint 297\nreal inf\nreal nan\nreal 500\n", L"Requires numeric value"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(vplat::WideToUtf8(c.risposte));
        vplat::Transcript::Get().Clear();
        Script(std::wstring(L"point 0,0\n") + c.risposte);
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        EXPECT_EQ(g.CreaContornoTavola(), 0);
        EXPECT_TRUE(vplat::Script::Get().Remaining().empty());
        EXPECT_NE(CommandLine().find(c.motivo), std::wstring::npos) << vplat::WideToUtf8(CommandLine());
        std::vector<AcDbObjectId> rif = Riferimenti(ACDB_MODEL_SPACE);
        ASSERT_FALSE(rif.empty());
        const AcDbBlockReference* r = Rif(rif.back());
        EXPECT_EQ(Attributi(r), (std::vector<std::pair<std::wstring, std::wstring>>{{L"SCALEDISTR", L"500.000000"}}));
        AcDbExtents ext;
        ASSERT_EQ(r->getGeomExtents(ext), Acad::eOk);
        EXPECT_NEAR(ext.maxPoint().x - ext.minPoint().x, 210, 1e-9);
    }
}

TEST_F(BlkDisTrTest, EveryCommandStopsAtTheGateAndWithoutTheSuiteFolder) {
    const struct {
        const wchar_t* users1;
        bool cartella;
        const wchar_t* messaggio;
    } casi[] = {
        {L"", true, L"Attenzione: e' necessario inizializzare Vortana."},
        {L"QV-PX", false, L"qv-cpath"},
    };
    for (const auto& c : casi) {
        SetUsers1(c.users1);
        vplat::LispSymbols::Clear();
        if (c.cartella) vplat::LispSymbols::SetText(L"qv-cpath", L"C:\\Suite\\");
        for (int comando = 0; comando < 3; ++comando) {
            vplat::Transcript::Get().Clear();
            vplat::Script::Get().Clear();
            CGestoreTavole g;
            g.m_pDb = m_db.get();
            int r = comando == 0 ? g.CreaContornoTavola() : comando == 1 ? g.InserisciNord() : g.DisegnaTavole();
            EXPECT_EQ(r, 3);
            EXPECT_NE(CommandLine().find(c.messaggio), std::wstring::npos) << comando << ": " << vplat::WideToUtf8(CommandLine());
            EXPECT_TRUE(vplat::Script::Get().Mismatches().empty()) << "a prompt came after the stop";
        }
    }
    EXPECT_TRUE(Riferimenti(ACDB_MODEL_SPACE).empty());
    EXPECT_TRUE(Layouts().size() == 1);
}

class BlkNordTest : public SheetorTest {
protected:
    std::string Nord() {
        return Disegno("Nord.dwg", [](AcDbDatabase& db) {
            AcGePoint3dArray v;
            v.append(AcGePoint3d(-5, 0, 0));
            v.append(AcGePoint3d(5, 0, 0));
            v.append(AcGePoint3d(0, 15, 0));
            AppendToBlock(&db, new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, true));
        });
    }
    std::vector<AcGePoint3d> Frecce() const {
        std::vector<AcGePoint3d> out;
        for (AcDbObjectId id : Riferimenti(ACDB_MODEL_SPACE)) {
            const AcDbBlockReference* r = Rif(id);
            if (r->layerName() != L"QV_LAYOUT_NORD") continue;
            EXPECT_EQ(r->rotation(), 0.0);
            out.push_back(r->position());
        }
        return out;
    }
};

TEST_F(BlkNordTest, PutsAnArrowNearTheTopRightCornerOfEveryOutline) {
    Contorno(100, 200, 420, 297, 500);
    Contorno(500, 0, 420, 297, 500, 90);
    // Not outlines: an outline reference on another layer, and a reference
    // on the outline layer without the scale attribute.
    std::wstring altro = Contorno(900, 900, 420, 297, 500);
    CADDatoArray layer;
    layer.Add(8, L"ALTRO");
    EXPECT_EQ(ZylBlockRefID(ZylEntityID(altro.c_str(), ZylDatabase(m_db.get()))).SetDati(layer), 1);
    AcDbObjectId idSemplice = Blocco(L"SEMPLICE");
    auto* r = new AcDbBlockReference(AcGePoint3d(-500, -500, 0), idSemplice);
    vplat::EnsureLayer(m_db.get(), L"QV_LAYOUT_CONTOUR");
    r->setLayer(L"QV_LAYOUT_CONTOUR");
    AppendToBlock(m_db.get(), r);

    Script(L"openfile " + vplat::Utf8ToWide(Nord()) + L"\nint 30\nint 20\n");
    CGestoreTavole g;
    g.m_pDb = m_db.get();
    EXPECT_EQ(g.InserisciNord(), 0);
    std::vector<AcGePoint3d> frecce = Frecce();
    ASSERT_EQ(frecce.size(), 2u);
    EXPECT_TRUE(Vicini(frecce[0], AcGePoint3d(280, 328.5, 0))) << frecce[0].x << "," << frecce[0].y;
    EXPECT_TRUE(Vicini(frecce[1], AcGePoint3d(371.5, 180, 0))) << frecce[1].x << "," << frecce[1].y;
    auto* tabella = vplat::Peek<AcDbBlockTable>(m_db->blockTableId());
    EXPECT_FALSE(tabella->find(L"Nord").isNull());
}

TEST_F(BlkNordTest, AnOutlineWithoutAPolylineGetsNoArrowAndTheOthersStillDo) {
    Contorno(100, 200, 420, 297, 500);
    // An outline whose block holds only a lightweight polyline.
    AcDbObjectId id = Blocco(L"LEGGERO");
    auto* lw = new AcDbPolyline;
    lw->addVertexAt(0, AcGePoint2d(0, 0));
    lw->addVertexAt(1, AcGePoint2d(200, 0));
    lw->addVertexAt(2, AcGePoint2d(200, 100));
    AppendToBlock(m_db.get(), lw, L"LEGGERO");
    AppendToBlock(m_db.get(), Definizione(L"SCALEDISTR", L"Scala: ", L""), L"LEGGERO");
    CADDatoArray dati;
    dati.Add(10, 1000.0, 1000.0, 0.0);
    dati.Add(8, L"QV_LAYOUT_CONTOUR");
    ZylBlockRefID rif;
    ASSERT_TRUE(Ombrix::GetEntityUtils()->InserisciBlocco(rif, ZylBlockID(id), dati));

    Script(L"openfile " + vplat::Utf8ToWide(Nord()) + L"\nint 30\nint 20\n");
    CGestoreTavole g;
    g.m_pDb = m_db.get();
    EXPECT_EQ(g.InserisciNord(), 0);
    std::vector<AcGePoint3d> frecce = Frecce();
    ASSERT_EQ(frecce.size(), 1u);
    EXPECT_TRUE(Vicini(frecce[0], AcGePoint3d(280, 328.5, 0)));
    // The block was read: the message names what it lacks.
    EXPECT_NE(CommandLine().find(L"Contorno senza polilinea 2D: freccia del nord non inserita."), std::wstring::npos);
    EXPECT_EQ(CommandLine().find(L"Impossibile leggere il blocco."), std::wstring::npos);
}

// A drawing that does not read, one whose name is no block's own, one that
// holds a block named like itself, or a cancel: nothing drawn, nothing of the
// drawing changed, and the reason on the command line.
TEST_F(BlkNordTest, AnArrowDrawingThatCannotBeInsertedStopsWithItsReason) {
    Contorno(100, 200, 420, 297, 500);
    const std::string rotto = File("Rotto.dwg", "questo non e' un disegno\n");
    auto freccia = [](AcDbDatabase& db) {
        AcGePoint3dArray v;
        v.append(AcGePoint3d(-5, 0, 0));
        v.append(AcGePoint3d(5, 0, 0));
        v.append(AcGePoint3d(0, 15, 0));
        AppendToBlock(&db, new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, true));
    };
    // The arrow drawn as a block named like the file, inserted in its model space.
    const std::string nordInNord = Disegno("Nord.dwg", [&](AcDbDatabase& db) {
        AcDbBlockTable* bt = nullptr;
        db.getBlockTable(bt, AcDb::kForWrite);
        auto* b = new AcDbBlockTableRecord;
        b->setName(L"NORD");
        AcDbObjectId id;
        bt->add(id, b);
        b->close();
        bt->close();
        AcGePoint3dArray v;
        v.append(AcGePoint3d(-5, 0, 0));
        v.append(AcGePoint3d(5, 0, 0));
        AppendToBlock(&db, new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, false), L"NORD");
        AppendToBlock(&db, new AcDbBlockReference(AcGePoint3d(0, 0, 0), id));
    });
    const struct {
        std::string file;
        const wchar_t* motivo;
    } casi[] = {
        {rotto, L"Rotto.dwg: line 1: not a DXF file"},
        {Disegno("*Model_Space.dwg", freccia), L"Il nome del file non e' un nome di blocco valido: *Model_Space"},
        {Disegno("*X1.dwg", freccia), L"Il nome del file non e' un nome di blocco valido: *X1"},
        {Disegno("a.b", freccia), L"Il nome del file non e' un nome di blocco valido: "},
        {nordInNord, L"Il blocco inserirebbe se stesso: Nord"},
        {"<cancel>", L""},
    };
    auto* tabella = vplat::Peek<AcDbBlockTable>(m_db->blockTableId());
    const size_t blocchi = tabella->recordIds().size();
    const std::vector<AcDbObjectId> modello = Riferimenti(ACDB_MODEL_SPACE);
    for (const auto& c : casi) {
        SCOPED_TRACE(c.file);
        vplat::Transcript::Get().Clear();
        Script(L"openfile " + vplat::Utf8ToWide(c.file) + L"\n");
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        EXPECT_EQ(g.InserisciNord(), 3);
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty()) << "a prompt came after the stop";
        EXPECT_TRUE(Frecce().empty());
        EXPECT_NE(CommandLine().find(c.motivo), std::wstring::npos) << vplat::WideToUtf8(CommandLine());
        if (c.file != "<cancel>") {
            EXPECT_NE(CommandLine().find(L"Impossibile leggere il disegno del nord."), std::wstring::npos);
        }
        EXPECT_EQ(tabella->recordIds().size(), blocchi);
        EXPECT_EQ(Riferimenti(ACDB_MODEL_SPACE), modello);
    }
    // The outline *X1 keeps its polyline.
    double w = 0, h = 0;
    EXPECT_EQ(MisuraContorno(tabella->find(L"*X1"), w, h), 1);
    EXPECT_DOUBLE_EQ(w, 210);
}
