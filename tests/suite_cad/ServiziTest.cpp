#include <cmath>
#include <cstdio>
#include <fstream>

#include <windows.h>

#include "AcSysVars.h"
#include "CadFixture.h"
#include "DatiPoli.h"
#include "HostText.h"
#include "ICQvLorvent.h"

namespace {

using ServiziGenerali = CadTest;

TEST_F(ServiziGenerali, SystemVariableCommandAndTemporaryVectors) {
    auto* u = Ombrix::GetGeneralUtils();
    vplat::SysVars::Reset();
    CADDatoArray v;
    ASSERT_NE(u->GetVariabileSistema(L"VIEWSIZE", v), 0);
    ASSERT_EQ(v.GetCount(), 1);
    EXPECT_EQ(v[0].GetTipo(), CADDatoArray::Reale);
    EXPECT_DOUBLE_EQ(v[0].GetDouble(), 100.0);
    CADDatoArray nessuna;
    EXPECT_EQ(u->GetVariabileSistema(L"NONESISTE", nessuna), 0);
    EXPECT_EQ(nessuna.GetCount(), 0);
    EXPECT_EQ(u->GetDatabaseCorrente().GetAcDbDatabase(), db());

    EXPECT_EQ(u->InviaComando(L"CANCELCMD"), 1);
    CADDatoArray punti;
    for (int i = 0; i < 3; ++i) punti.Add(i, i * 1.0, 0.0, 0.0);
    EXPECT_EQ(u->DisegnaVettori(punti, 6, 1, 1), 3);
    EXPECT_EQ(vplat::Transcript::Get().Events("ombrix"),
              (std::vector<std::wstring>{L"comando CANCELCMD", L"vettori 3 colore 6 (1, 1)"}));
    EXPECT_NE(vplat::Transcript::Get().Render().find("[ombrix] comando CANCELCMD"), std::string::npos);
}

class Progetto : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Transcript::Get().Clear();
        m_file = ::testing::TempDir() + "progetto-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::ofstream(m_file) << "[SUFFISSILAYERTOP]\r\nQVRO3D-PLAN=PIANTA\r\n"
                                 "[IMPOSTAZIONI]\r\nPASSO=2.5\r\nNOME=Rotatoria Nord\r\nVUOTA=\r\nVIRGOLA=1,5\r\n";
    }
    void TearDown() override {
        vplat::SetProjectFile("");
        std::remove(m_file.c_str());
    }
    std::string m_file;
};

TEST_F(Progetto, PathFromTheHostOrNone) {
    wchar_t buffer[260] = L"x";
    EXPECT_EQ(getLorvent()->GetFileImpostazioni(buffer, 260), 0);
    EXPECT_STREQ(buffer, L"");
    CADDatoArray v;
    EXPECT_EQ(getLorvent()->GetImpostazione(L"PASSO", v), 0);

    vplat::SetProjectFile(m_file);
    EXPECT_EQ(getLorvent()->GetFileImpostazioni(buffer, 260), 1);
    EXPECT_EQ(std::wstring(buffer), vplat::ToWindowsPath(m_file));
    EXPECT_EQ(std::wstring(buffer).find(L'/'), std::wstring::npos);
    // The settings file reads through the INI service by that path.
    wchar_t suffisso[256];
    GetPrivateProfileStringW(L"SUFFISSILAYERTOP", L"QVRO3D-PLAN", L"QVRO3D-PLAN", suffisso, 256, buffer);
    EXPECT_STREQ(suffisso, L"PIANTA");

    // A small buffer takes what fits, terminated.
    wchar_t corto[5] = {L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(getLorvent()->GetFileImpostazioni(corto, 4), 1);
    EXPECT_EQ(std::wstring(corto), vplat::ToWindowsPath(m_file).substr(0, 3));
    EXPECT_EQ(corto[4], L'x');
    EXPECT_EQ(getLorvent()->GetFileImpostazioni(corto, 0), 0);
}

TEST_F(Progetto, SettingsByKey) {
    vplat::SetProjectFile(m_file);
    struct Caso {
        const wchar_t* chiave;
        int trovata;
        CADDatoArray::Tipo tipo;
        const wchar_t* testo;
        double numero;
    };
    for (const Caso& c : {Caso{L"PASSO", 1, CADDatoArray::Reale, nullptr, 2.5},
                          Caso{L"passo", 1, CADDatoArray::Reale, nullptr, 2.5},
                          Caso{L"NOME", 1, CADDatoArray::Testo, L"Rotatoria Nord", 0},
                          Caso{L"VIRGOLA", 1, CADDatoArray::Testo, L"1,5", 0},
                          Caso{L"VUOTA", 1, CADDatoArray::Testo, L"", 0},
                          Caso{L"MANCA", 0, CADDatoArray::Richiesta, nullptr, 0}}) {
        CADDatoArray v;
        EXPECT_EQ(getLorvent()->GetImpostazione(c.chiave, v), c.trovata) << c.chiave;
        if (!c.trovata) {
            EXPECT_EQ(v.GetCount(), 0);
            continue;
        }
        ASSERT_EQ(v.GetCount(), 1) << c.chiave;
        EXPECT_EQ(v[0].GetTipo(), c.tipo) << c.chiave;
        if (c.testo) EXPECT_STREQ(v[0].GetStringa(), c.testo);
        else EXPECT_DOUBLE_EQ(v[0].GetDouble(), c.numero);
    }
}

TEST_F(Progetto, DrawingCallsGoToTheTranscript) {
    getLorvent()->DisegnoLayer(true, L"QVRO3D");
    getLorvent()->DisegnoLayer(false, L"QVRO3D");
    getLorvent()->LayerEsportati(L"QVRO3D");
    EXPECT_EQ(vplat::Transcript::Get().Events("lorvent"),
              (std::vector<std::wstring>{L"disegno 1 QVRO3D", L"disegno 0 QVRO3D", L"esportati QVRO3D"}));
}

TEST(ZylGe, AnglesRotationAndTranslation) {
    EXPECT_DOUBLE_EQ(Zyl_GeVector2d(1, 0).angleTo(Zyl_GeVector2d(0, 1)), M_PI / 2);
    EXPECT_DOUBLE_EQ(Zyl_GeVector2d(0, 1).angleTo(Zyl_GeVector2d(1, 0)), M_PI / 2);
    EXPECT_NEAR(Zyl_GeVector2d(1, 0).angleTo(Zyl_GeVector2d(-1, 0)), M_PI, 1e-12);
    Zyl_GeVector2d v(1, 0);
    v.rotateBy(M_PI / 2);
    EXPECT_NEAR(v.x, 0.0, 1e-12);
    EXPECT_NEAR(v.y, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(Zyl_GePoint3d(1, 2, 3).distanceTo(Zyl_GePoint3d(4, 6, 3)), 5.0);

    Zyl_GeMatrix3d m;
    m.setTranslation(Zyl_GeVector3d(-3, -4, 0));
    EXPECT_DOUBLE_EQ(m(0, 3), -3);
    EXPECT_DOUBLE_EQ(m(1, 1), 1);
    ads_matrix a;
    m.getMatrix(a);
    datipoli* lista = nullptr;
    datipoli* ultimo = nullptr;
    const ads_point p1 = {3, 4, 0}, p2 = {13, 4, 0};
    AggpuntoDATIPOLI(p1, 0.5, &lista, &ultimo);
    AggpuntoDATIPOLI(p2, 0.0, &lista, &ultimo);
    RototraslaDATIPOLI(lista, a);
    EXPECT_DOUBLE_EQ(lista->x, 0);
    EXPECT_DOUBLE_EQ(lista->y, 0);
    EXPECT_DOUBLE_EQ(lista->bulge, 0.5);
    EXPECT_DOUBLE_EQ(lista->next->x, 10);
    LiberaDATIPOLI(&lista);
}

}  // namespace
