// Layer names from the settings file and entities appended on their layer.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "CConstrJunctor.h"
#include "HostText.h"
#include "PolilineeJunctor.h"
#include "WorkingDrawing.h"

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("vortana-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void Scrivi(const std::string& bytes) {
        std::ofstream(m_dir / "DEFAULTSETTINGS.INI", std::ios::binary) << bytes;
    }
    std::wstring Cartella() const { return vplat::ToWindowsPath(m_dir.string()) + L"\\"; }
    std::wstring File() const { return Cartella() + L"DEFAULTSETTINGS.INI"; }

    std::filesystem::path m_dir;
};

TEST_F(IniTest, LayerNameFromTheFileOrTheKeyItself) {
    Scrivi("\xEF\xBB\xBF; layers\r\n[Altro]\r\nQV-CIGLI=SBAGLIATO\r\n[layer]\r\n  qv-cigli = BORDI STRADA \r\n");
    struct Caso {
        const wchar_t* chiave;
        const wchar_t* atteso;
    } casi[] = {{L"QV-CIGLI", L"BORDI STRADA"}, {L"QV-BANCHINE", L"QV-BANCHINE"}};
    for (const Caso& c : casi)
        EXPECT_STREQ(static_cast<LPCWSTR>(CConstrJunctor::GetNomeLayerIn(Cartella().c_str(), c.chiave, c.chiave)),
                     c.atteso);
}

TEST_F(IniTest, MissingFileGivesTheKey) {
    EXPECT_STREQ(static_cast<LPCWSTR>(CConstrJunctor::GetNomeLayerIn(Cartella().c_str(), L"QV-CIGLI", L"QV-CIGLI")),
                 L"QV-CIGLI");
    // Outside a loaded module there is no module folder.
    EXPECT_STREQ(static_cast<LPCWSTR>(CConstrJunctor::GetNomeLayer(L"QV-BANCHINE", L"QV-BANCHINE")), L"QV-BANCHINE");
}

TEST_F(IniTest, ValuesAreCutToTheBuffer) {
    Scrivi("[LAYER]\nLUNGO=ABCDEFGHIJ\n");
    wchar_t buf[5];
    EXPECT_EQ(GetPrivateProfileStringW(L"LAYER", L"LUNGO", L"", buf, 5, File().c_str()), 4u);
    EXPECT_STREQ(buf, L"ABCD");
    EXPECT_EQ(GetPrivateProfileStringW(L"LAYER", L"ASSENTE", L"PREDEFINITO", buf, 5, File().c_str()), 4u);
    EXPECT_STREQ(buf, L"PRED");
}

TEST(SampleSettingsTest, ModuleFolderHoldsTheSampleFile) {
    wchar_t buf[256];
    std::wstring file = vplat::ToWindowsPath(VORTANA_BIN) + L"\\DEFAULTSETTINGS.INI";
    GetPrivateProfileStringW(L"LAYER", L"QV-CIGLI", L"", buf, 256, file.c_str());
    EXPECT_STRNE(buf, L"");
}

class ModelSpaceTest : public WorkingDrawingTest {
protected:
    AcDb2dPolyline* Nuova() {
        AcGePoint3dArray v;
        AcGeDoubleArray b;
        v.append(AcGePoint3d(0, 0, 0));
        v.append(AcGePoint3d(10, 0, 0));
        b.append(0);
        b.append(0);
        return CreaPolilinea(v, b);
    }
    AcDbLayerTableRecord* Layer(const wchar_t* nome) {
        AcDbLayerTable* t = nullptr;
        EXPECT_EQ(m_db->getLayerTable(t, AcDb::kForRead), Acad::eOk);
        AcDbLayerTableRecord* r = nullptr;
        t->getAt(nome, r, AcDb::kForWrite);
        t->close();
        return r;
    }
};

TEST_F(ModelSpaceTest, MissingLayerIsCreatedAndTheEntityGoesOnIt) {
    AcDbObjectId id;
    ASSERT_TRUE(AggiungiAModelSpace(Nuova(), id, L"QV-CIGLI"));
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, id, AcDb::kForRead), Acad::eOk);
    ACHAR* layer = e->layer();
    EXPECT_STREQ(layer, L"QV-CIGLI");
    acutDelString(layer);
    e->close();
    AcDbLayerTableRecord* r = Layer(L"QV-CIGLI");
    ASSERT_NE(r, nullptr);
    r->close();
    EXPECT_EQ(vplat::DocumentLockDepth(), 0);
}

TEST_F(ModelSpaceTest, ExistingLayerIsThawedTurnedOnAndUnlocked) {
    AcDbObjectId id;
    ASSERT_TRUE(AggiungiAModelSpace(Nuova(), id, L"QV-BANCHINE"));
    AcDbLayerTableRecord* r = Layer(L"QV-BANCHINE");
    ASSERT_NE(r, nullptr);
    r->setIsFrozen(true);
    r->setIsOff(true);
    r->setIsLocked(true);
    r->close();
    ASSERT_TRUE(AggiungiAModelSpace(Nuova(), id, L"QV-BANCHINE"));
    r = Layer(L"QV-BANCHINE");
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->isFrozen());
    EXPECT_FALSE(r->isOff());
    EXPECT_FALSE(r->isLocked());
    r->close();
}

TEST_F(ModelSpaceTest, DeveloperOffsetCommandDrawsTheRightOffset) {
    AcDbObjectId id;
    ASSERT_TRUE(AggiungiAModelSpace(Nuova(), id, nullptr));
    ads_name n, niente = {0, 0};
    acdbGetAdsName(n, id);
    EXPECT_EQ(ProvaOffsetPolilinea(niente), 0);
    EXPECT_EQ(ProvaOffsetPolilinea(n), 1);
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", RTNONE);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, filtro, ss), RTNORM);
    acutRelRb(filtro);
    Adesk::Int32 quante = 0;
    acedSSLength(ss, &quante);
    ASSERT_EQ(quante, 2);
    ads_name nuova;
    acedSSName(ss, 1, nuova);
    acedSSFree(ss);
    AcDbObjectId idNuova;
    acdbGetObjectId(idNuova, nuova);
    AcDb2dPolyline* pl = nullptr;
    ASSERT_EQ(acdbOpenObject(pl, idNuova, AcDb::kForRead), Acad::eOk);
    AcDbObjectIterator* it = pl->vertexIterator();
    for (it->start(); !it->done(); it->step()) {
        AcDb2dVertex* v = nullptr;
        ASSERT_EQ(acdbOpenObject(v, it->objectId(), AcDb::kForRead), Acad::eOk);
        EXPECT_NEAR(v->position().y, -4.3, 1e-9);
        v->close();
    }
    delete it;
    pl->close();
}

}  // namespace
