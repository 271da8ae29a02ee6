// A drawing inserted as a block of another: a name that is no plain block
// name or that would make the block insert itself changes nothing; nested
// anonymous blocks come across as new ones of their own; named blocks the
// drawing has already stay.
#include "DrawingFixture.h"

namespace {

AcDbLine* Linea(double lunghezza) { return new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(lunghezza, 0, 0)); }

// The live entities of a block, by kind and, for references, the block
// they name.
std::vector<std::wstring> Contenuto(AcDbObjectId blocco) {
    std::vector<std::wstring> out;
    auto* b = vplat::Peek<AcDbBlockTableRecord>(blocco);
    if (!b) return out;
    for (AcDbObjectId id : b->entityIds()) {
        auto* e = vplat::Peek<AcDbEntity>(id);
        if (!e || e->isErased()) continue;
        std::wstring voce = e->dxfName();
        if (auto* r = AcDbBlockReference::cast(e)) voce += L" " + vplat::Peek<AcDbBlockTableRecord>(r->blockTableRecord())->name();
        if (auto* l = AcDbLine::cast(e)) voce += L" " + std::to_wstring(static_cast<int>(l->endPoint().x));
        out.push_back(voce);
    }
    return out;
}

class InsertDrawing : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        // The host drawing: a line in model space and an anonymous outline
        // block *X1 with its reference.
        Append(Linea(7));
        m_contorno = AddBlock(L"*X");
        Append(Linea(210), vplat::Peek<AcDbBlockTableRecord>(m_contorno)->name().c_str());
        Append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), m_contorno));
    }
    AcDbObjectId Modello() const { return vplat::Peek<AcDbBlockTable>(m_db->blockTableId())->find(ACDB_MODEL_SPACE); }
    AcDbObjectId Trova(const wchar_t* nome) const { return vplat::Peek<AcDbBlockTable>(m_db->blockTableId())->find(nome); }

    AcDbObjectId m_contorno;
};

TEST_F(InsertDrawing, NamesThatAreNoPlainBlockNameChangeNothing) {
    AcDbDatabase sorgente;
    AppendToBlock(&sorgente, Linea(15));
    ASSERT_EQ(vplat::Peek<AcDbBlockTableRecord>(m_contorno)->name(), L"*X1");
    const auto modello = Contenuto(Modello()), contorno = Contenuto(m_contorno);
    for (const wchar_t* nome : {L"*Model_Space", L"*model_space", L"*Paper_Space", L"*X1", L"*X", L"Nord/Sud",
                                L"A|B", L""}) {
        SCOPED_TRACE(vplat::WideToUtf8(nome));
        AcDbObjectId id;
        EXPECT_EQ(db()->insert(id, nome, &sorgente), Acad::eInvalidInput);
        EXPECT_TRUE(id.isNull());
        EXPECT_EQ(Contenuto(Modello()), modello);
        EXPECT_EQ(Contenuto(m_contorno), contorno);
    }
    AcDbObjectId id;
    EXPECT_EQ(db()->insert(id, L"Nord", &sorgente), Acad::eOk);
    EXPECT_EQ(Contenuto(id), std::vector<std::wstring>{L"LINE 15"});
}

// An arrow drawn as an anonymous block inside the arrow's drawing: each
// insertion copies it as a new anonymous block; the host's *X1 stays the
// outline.
TEST_F(InsertDrawing, NestedAnonymousBlocksAreCopiedAsNewOnes) {
    AcDbDatabase sorgente;
    AcDbObjectId freccia = AddBlock(L"*X", &sorgente);
    ASSERT_EQ(vplat::Peek<AcDbBlockTableRecord>(freccia)->name(), L"*X1");
    AppendToBlock(&sorgente, Linea(15), L"*X1");
    AppendToBlock(&sorgente, new AcDbBlockReference(AcGePoint3d(0, 0, 0), freccia));
    AppendToBlock(&sorgente, new AcDbBlockReference(AcGePoint3d(5, 0, 0), freccia));
    const auto contorno = Contenuto(m_contorno);
    for (int volta = 0; volta < 2; ++volta) {
        AcDbObjectId id;
        ASSERT_EQ(db()->insert(id, L"Nord", &sorgente), Acad::eOk);
        std::vector<std::wstring> nord = Contenuto(id);
        ASSERT_EQ(nord.size(), 2u);
        EXPECT_EQ(nord[0], nord[1]);  // both references share the one copy
        const std::wstring copia = nord[0].substr(std::wstring(L"INSERT ").size());
        EXPECT_NE(copia, L"*X1");
        EXPECT_EQ(copia.rfind(L"*X", 0), 0u);
        EXPECT_EQ(Contenuto(Trova(copia.c_str())), std::vector<std::wstring>{L"LINE 15"});
        EXPECT_EQ(Contenuto(m_contorno), contorno);
    }
}

TEST_F(InsertDrawing, ABlockThatWouldInsertItselfChangesNothing) {
    // The arrow's drawing holds a block named like the file.
    AcDbDatabase conNord;
    AcDbObjectId nord = AddBlock(L"NORD", &conNord);
    AppendToBlock(&conNord, Linea(15), L"NORD");
    AppendToBlock(&conNord, new AcDbBlockReference(AcGePoint3d(0, 0, 0), nord));
    // The drawing's own block B inserts the block being redefined.
    AcDbDatabase conB;
    AppendToBlock(&conB, new AcDbBlockReference(AcGePoint3d(0, 0, 0), AddBlock(L"B", &conB)));
    AcDbObjectId t = AddBlock(L"T");
    Append(Linea(3), L"T");
    AcDbObjectId b = AddBlock(L"B");
    Append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), t), L"B");

    const size_t blocchi = vplat::Peek<AcDbBlockTable>(m_db->blockTableId())->recordIds().size();
    AcDbObjectId id;
    EXPECT_EQ(db()->insert(id, L"Nord", &conNord), Acad::eSelfReference);
    EXPECT_TRUE(Trova(L"Nord").isNull());
    EXPECT_EQ(db()->insert(id, L"T", &conB), Acad::eSelfReference);
    EXPECT_EQ(Contenuto(t), std::vector<std::wstring>{L"LINE 3"});
    EXPECT_EQ(vplat::Peek<AcDbBlockTable>(m_db->blockTableId())->recordIds().size(), blocchi);
    // A block of its own name elsewhere: the drawing's B stays as it is.
    EXPECT_EQ(db()->insert(id, L"Altro", &conB), Acad::eOk);
    EXPECT_EQ(Contenuto(id), std::vector<std::wstring>{L"INSERT B"});
    EXPECT_EQ(Contenuto(b), std::vector<std::wstring>{L"INSERT T"});
}

// A long chain of blocks, each inserting the next, comes across whole and
// at once.
TEST_F(InsertDrawing, ALongChainOfNestedBlocksIsCopiedWhole) {
    AcDbDatabase sorgente;
    constexpr int kAnelli = 20000;
    std::vector<AcDbObjectId> catena;
    for (int i = 0; i < kAnelli; ++i) catena.push_back(AddBlock((L"C" + std::to_wstring(i)).c_str(), &sorgente));
    // Linked from the top, so that each link finds the rest still empty.
    for (int i = 0; i + 1 < kAnelli; ++i)
        AppendToBlock(&sorgente, new AcDbBlockReference(AcGePoint3d(0, 0, 0), catena[i + 1]), (L"C" + std::to_wstring(i)).c_str());
    AppendToBlock(&sorgente, Linea(1), (L"C" + std::to_wstring(kAnelli - 1)).c_str());
    AppendToBlock(&sorgente, new AcDbBlockReference(AcGePoint3d(0, 0, 0), catena[0]));
    AcDbObjectId id;
    ASSERT_EQ(db()->insert(id, L"Catena", &sorgente), Acad::eOk);
    EXPECT_EQ(Contenuto(id), std::vector<std::wstring>{L"INSERT C0"});
    EXPECT_EQ(Contenuto(Trova(L"C19998")), std::vector<std::wstring>{L"INSERT C19999"});
    EXPECT_EQ(Contenuto(Trova(L"C19999")), std::vector<std::wstring>{L"LINE 1"});
}

}  // namespace
