// Every call that makes a named record refuses a name its table's names may
// not be, so a drawing never holds one that its file could not carry.
#include "DrawingFixture.h"
#include "Ombrix.h"
#include "ZylEntityID.h"

namespace {

using vplat::SymbolTable;

struct Nome {
    std::wstring testo;
    bool layer, blocco, applicazione;  // a good name of each table
};

const std::wstring kLungo(256, L'N');

const Nome kNomi[] = {
    {L"QV-CIGLI", true, true, true},
    {L"Strade 1,2", true, true, false},  // a comma is no application's
    {L"QV-INTERS|CIGLI", false, false, false},
    {L"ROT/1-QVRO3D-PLAN", false, false, false},
    {L"a<b", false, false, false},
    {L"a\\b", false, false, false},
    {L"a\"b", false, false, false},
    {L"a:b", false, false, false},
    {L"a;b", false, false, false},
    {L"a?b", false, false, false},
    {L"a=b", false, false, false},
    {L"a`b", false, false, false},
    {L"*X1", false, true, false},  // a block's name may start with a star
    {L"*Model_Space", false, true, false},
    {L"A*B", false, false, false},
    {std::wstring(255, L'N'), true, true, true},
    {kLungo, false, false, false},
};

TEST(SymbolNames, TheRulesOfEachTable) {
    for (const Nome& n : kNomi) {
        SCOPED_TRACE(vplat::WideToUtf8(n.testo.substr(0, 40)));
        EXPECT_EQ(vplat::SymbolNameProblem(n.testo, SymbolTable::Layer).empty(), n.layer);
        EXPECT_EQ(vplat::SymbolNameProblem(n.testo, SymbolTable::Block).empty(), n.blocco);
        EXPECT_EQ(vplat::SymbolNameProblem(n.testo, SymbolTable::RegApp).empty(), n.applicazione);
    }
    EXPECT_FALSE(vplat::SymbolNameProblem(L"", SymbolTable::Layer).empty());
}

// The tables themselves, the layers an entity brings, the applications of
// extended data and the suite's table service all follow them; what they
// made saves and reads back.
TEST(SymbolNames, EveryMakerOfANamedRecordRefusesABadName) {
    for (const Nome& n : kNomi) {
        if (n.testo == L"*Model_Space") continue;  // in every drawing already
        SCOPED_TRACE(vplat::WideToUtf8(n.testo.substr(0, 40)));
        AcDbDatabase db;
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        ITableUtils* servizio = Ombrix::GetTableUtils();
        ZylTableRecordID r;
        EXPECT_EQ(servizio->CreaRecord(ZYL_TABELLA_LAYER, n.testo.c_str(), CADDatoArray(), r) == 1, n.layer);
        EXPECT_EQ(servizio->CreaRecord(ZYL_TABELLA_BLOCCHI, n.testo.c_str(), CADDatoArray(), r) == 1, n.blocco);
        EXPECT_EQ(acdbRegApp(n.testo.c_str()) == RTNORM, n.applicazione);
        // Added to a table, and renamed to.
        AcDbLayerTable* lt = nullptr;
        ASSERT_EQ(db.getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
        auto* l = new AcDbLayerTableRecord;
        l->setName(n.testo.c_str());
        Acad::ErrorStatus es = lt->add(l);
        EXPECT_EQ(es, n.layer ? Acad::eDuplicateRecordName : Acad::eInvalidInput);  // the service made it
        delete l;
        auto* altro = new AcDbLayerTableRecord;
        altro->setName(L"Altro");
        ASSERT_EQ(lt->add(altro), Acad::eOk);
        if (!n.layer) {
            EXPECT_EQ(altro->setName(n.testo.c_str()), Acad::eInvalidInput);
            EXPECT_EQ(altro->name(), L"Altro");
        }
        altro->close();
        lt->close();
        // An entity on a layer of that name, on a drawing that lacks it.
        AcDbDatabase vuoto;
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
        vplat::SetTag(line->data(), vplat::DxfTag::Text(8, n.testo));
        AcDbBlockTable* bt = nullptr;
        vuoto.getBlockTable(bt, AcDb::kForRead);
        AcDbBlockTableRecord* ms = nullptr;
        ASSERT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
        bt->close();
        es = ms->appendAcDbEntity(line);
        ms->close();
        EXPECT_EQ(es, n.layer ? Acad::eOk : Acad::eBadLayerName);
        if (es == Acad::eOk) line->close();
        else delete line;
        EXPECT_EQ(!vplat::Peek<AcDbLayerTable>(vuoto.layerTableId())->find(n.testo).isNull(), n.layer);

        for (AcDbDatabase* d : {&db, &vuoto}) {
            AcDbDatabase copia(false);
            std::wstring error;
            EXPECT_TRUE(vplat::ReadDxfText(vplat::WriteDxfText(d), &copia, &error)) << vplat::WideToUtf8(error);
        }
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
}

}  // namespace
