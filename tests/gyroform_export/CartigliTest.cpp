// Profile sheets and profiles of an export, and exporting again.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "ExportFixture.h"
#include "DatiEstesi.h"
#include "ICQvLorvent.h"

using namespace esportazione;

namespace {

class CartigliTest : public ExportTest {
protected:
    void TearDown() override {
        vplat::SetProjectFile("");
        if (!m_progetto.empty()) std::remove(m_progetto.c_str());
        ExportTest::TearDown();
    }
    void Progetto(const std::string& testo) {
        m_progetto = ::testing::TempDir() + "progetto-esporta-" + std::to_string(::getpid()) + ".ini";
        std::ofstream(m_progetto) << testo;
        vplat::SetProjectFile(m_progetto);
    }
    // An entity of another plan roundabout's export.
    static ZylEntityID Estranea() {
        CADDatoArray vertici, bulge, proprieta, dati;
        vertici.Add(0, 0.0, 0.0, 0.0);
        vertici.Add(1, 5.0, 0.0, 0.0);
        bulge.Add(0, 0.0);
        bulge.Add(1, 0.0);
        dati.Add(1001, kApp);
        dati.Add(1071, 1);
        dati.Add(1071, 2);
        dati.Add(1000, L"ALTRA");
        proprieta.Add(10, vertici);
        proprieta.Add(42, bulge);
        proprieta.Add(-3, dati);
        ZylPolylineID p;
        Ombrix::GetEntityUtils()->CreaPolilinea(ZYL_POLILINEA_2D, proprieta, p);
        return p;
    }
    std::string m_progetto;
};

TEST_F(CartigliTest, NewSheetsStackUpwardsFromTheInsertionPoint) {
    Progetto("[IMPOSTAZIONI]\r\nQVDISQR=2.5\r\n[LAYER]\r\nPROGETTO=PROFILI-ROT\r\n");
    ASSERT_EQ(Leggi(TreRami()), 1);
    Profili();
    ASSERT_EQ(Esporta(1000.0, 2000.0), 1);
    std::vector<Etichettato> fogli = Etichettati(ZYL_RIFERIMENTO_BLOCCO);
    std::vector<Etichettato> profili = Etichettati(ZYL_POLILINEA_2D);
    ASSERT_EQ(fogli.size(), 4u);  // the inner ring and three gaps
    ASSERT_EQ(profili.size(), 4u);
    double y = 2000.0;
    for (size_t i = 0; i < fogli.size(); ++i) {
        Zyl_GePoint3d base = fogli[i].Base();
        EXPECT_DOUBLE_EQ(base.x, 1000.0) << i;
        EXPECT_NEAR(base.y, y, 1e-9) << i;
        y = base.y + (fogli[i].massimo.y - fogli[i].minimo.y) + 10.0;
        EXPECT_EQ(fogli[i].pianta, L"PR-TRE");
        EXPECT_EQ(fogli[i].nome, L"Rotatoria Sud");
        // The profile stands in its sheet: its lowest point the margin above
        // the datum line, its chainages from the sheet's left side.
        EXPECT_NEAR(profili[i].minimo.y, base.y + 2.5, 1e-6) << i;
        EXPECT_GE(profili[i].minimo.x, base.x - 1e-9) << i;
        EXPECT_LE(profili[i].massimo.x, fogli[i].massimo.x + 1e-9) << i;
        // A new sheet is the profile's length and 10 more.
        EXPECT_NEAR(fogli[i].massimo.x - base.x, profili[i].massimo.x - profili[i].minimo.x + 10.0, 1e-6) << i;
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenObject(e, profili[i].id.GetObjectId(), AcDb::kForRead), Acad::eOk);
        ACHAR* layer = e->layer();
        EXPECT_STREQ(layer, L"PROFILI-ROT");
        acutDelString(layer);
        e->close();
    }
}

// A margin that is no number, or far beyond any sheet, is refused once with
// a message and the sheets get none; their datum text is the profile's own.
class MargineRifiutato : public CartigliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MargineRifiutato, OnceWithAMessageAndTheSheetsGetNone) {
    Progetto(std::string("[IMPOSTAZIONI]\r\nQVDISQR=") + GetParam() + "\r\n");
    vplat::MessageBoxes::Clear();
    ASSERT_EQ(Leggi(TreRami()), 1);
    Profili();
    ASSERT_EQ(Esporta(1000.0, 2000.0), 1);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text,
              L"Impostazione QVDISQR non valida: i cartigli dei profili non hanno margine.");
    std::vector<Etichettato> fogli = Etichettati(ZYL_RIFERIMENTO_BLOCCO);
    std::vector<Etichettato> profili = Etichettati(ZYL_POLILINEA_2D);
    ASSERT_EQ(fogli.size(), 4u);
    ASSERT_EQ(profili.size(), 4u);
    for (size_t i = 0; i < fogli.size(); ++i) {
        EXPECT_NEAR(profili[i].minimo.y, fogli[i].Base().y, 1e-6) << i;
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"TEXT");
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, ZylBlockRefID(fogli[i].id).GetBlocco());
        ASSERT_GT(sel.GetCount(), 0);
        CADDatoArray d;
        d.AddRichiesta(1);
        ASSERT_TRUE(sel[0].GetEntityID().GetDati(d));
        const std::wstring quota = d[0].GetStringa();
        EXPECT_EQ(quota.rfind(L"Q.R. 10", 0), 0u) << quota.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Valori, MargineRifiutato, ::testing::Values("1e300", "-1e300", "abc", "inf", "1001"));

TEST_F(CartigliTest, ExportingTwiceUpdatesTheAlignmentsAndReplacesTheSheets) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    Profili();
    ZylEntityID altra = Estranea();
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> primi = Tracciati();
    std::vector<std::wstring> dati22;
    for (CCiglio3D* c : Cigli(*m_rotatoria)) dati22.push_back(W(c->GetDato(22).GetString()));
    const size_t etichettati = Etichettati().size();
    EXPECT_EQ(etichettati, 1u + 2u * 4u);

    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> secondi = Tracciati();
    ASSERT_EQ(secondi.size(), primi.size());
    for (size_t i = 0; i < primi.size(); ++i) {
        EXPECT_EQ(secondi[i].nome, primi[i].nome);
        EXPECT_EQ(secondi[i].nomeInterno, primi[i].nomeInterno);
    }
    std::vector<std::wstring> dopo;
    for (CCiglio3D* c : Cigli(*m_rotatoria)) dopo.push_back(W(c->GetDato(22).GetString()));
    EXPECT_EQ(dopo, dati22);
    // One sheet and one profile per alignment, and the other roundabout's;
    // no untagged sheet stays behind.
    EXPECT_EQ(Etichettati().size(), etichettati);
    EXPECT_TRUE(altra.IsVivo());
    CADDatoArray riferimenti, filtro;
    filtro.Add(5020, L"INSERT");
    EXPECT_EQ(Ombrix::GetEntityUtils()->Seleziona(riferimenti, L"_X", filtro), 4);
}

TEST_F(CartigliTest, AnAlignmentWithAProfileKeepsTheSheetWhereItsProfileWasDrawn) {
    ASSERT_EQ(Leggi(Pianta(L"Uno", {{L"A", 30}})), 1);
    Profili();
    ASSERT_EQ(Esporta(0.0, 0.0), 1);
    // The gap alignment gets a profile drawn on a sheet elsewhere.
    std::vector<Tracciato> t = Tracciati();
    ASSERT_EQ(t.back().nome, L"A_A");
    ICTRACCIATO* o = nullptr;
    ASSERT_TRUE(GetTracciatoByNomeInterno(&o, t.back().nomeInterno.c_str(), nullptr));
    ICPROFILO* profilo = ICPROFILO::Alloca();
    profilo->SetDato(CDato(22500, L"PROGETTO"));
    profilo->setPuntoCartiglio(AcGePoint3d(-300.0, -400.0, 0.0));
    o->aggiungiProfilo(profilo);
    ASSERT_EQ(o->aggiorna(), 1);
    ICTRACCIATO_Costructor::Libera(&o, 1);

    ASSERT_EQ(Esporta(0.0, 0.0), 1);
    std::vector<Etichettato> fogli = Etichettati(ZYL_RIFERIMENTO_BLOCCO);
    ASSERT_EQ(fogli.size(), 2u);
    // The ring's sheet is new, at the insertion point; the gap's stands
    // where its profile was drawn, as long as the profile.
    EXPECT_NEAR(fogli[0].Base().y, 0.0, 1e-9);
    EXPECT_NEAR(fogli[1].Base().x, -300.0, 1e-9);
    EXPECT_NEAR(fogli[1].Base().y, -400.0, 1e-9);
    std::vector<Etichettato> profili = Etichettati(ZYL_POLILINEA_2D);
    ASSERT_EQ(profili.size(), 2u);
    EXPECT_NEAR(fogli[1].massimo.x - fogli[1].Base().x, profili[1].massimo.x - profili[1].minimo.x, 1e-6);
    EXPECT_EQ(Tracciati().back().nome, L"A_A");
}

// An alignment found again keeps the name it was given since, which then
// names its sheet; one whose entity was erased is made again, and its edge
// learns the new internal name.
TEST_F(CartigliTest, ExistingAlignmentsKeepTheirNameAndErasedOnesAreMadeAgain) {
    ASSERT_EQ(Leggi(Pianta(L"Uno", {{L"A", 30}})), 1);
    Profili();
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> primi = Tracciati();
    ASSERT_EQ(primi.size(), 3u);
    const std::wstring anello = primi[1].nomeInterno, varco = primi[2].nomeInterno;
    ICTRACCIATO* o = nullptr;
    ASSERT_TRUE(GetTracciatoByNomeInterno(&o, varco.c_str(), nullptr));
    EXPECT_DOUBLE_EQ(o->GetDato(22153).GetDouble(), 0.1);
    o->SetDato(CDato(22400, L"Curva A"), 1);
    ASSERT_EQ(o->aggiorna(), 1);
    AcDbObjectId entitaAnello;
    ICTRACCIATO_Costructor::Libera(&o, 1);
    ASSERT_TRUE(GetTracciatoByNomeInterno(&o, anello.c_str(), nullptr));
    entitaAnello = o->Entita();
    ICTRACCIATO_Costructor::Libera(&o, 1);
    ASSERT_EQ(EraseEntityDaId(entitaAnello, nullptr), Acad::eOk);

    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> dopo = Tracciati();
    ASSERT_EQ(dopo.size(), 3u);
    EXPECT_EQ(dopo[1].nome, L"Curva A");
    EXPECT_EQ(dopo[1].nomeInterno, varco);
    EXPECT_EQ(dopo[2].nome, L"Uno");
    EXPECT_NE(dopo[2].nomeInterno, anello);
    EXPECT_EQ(W(Ciglio(1000, nullptr)->GetDato(22).GetString()), dopo[2].nomeInterno);
    EXPECT_EQ(W(Ciglio(3000, L"A")->GetDato(22).GetString()), varco);
    // The gap's sheet carries the alignment's own name.
    std::vector<std::wstring> testi;
    for (const Etichettato& f : Etichettati(ZYL_RIFERIMENTO_BLOCCO)) {
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"TEXT");
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, ZylBlockRefID(f.id).GetBlocco());
        for (int i = 0; i < sel.GetCount(); ++i) {
            CADDatoArray d;
            d.AddRichiesta(1);
            if (sel[i].GetEntityID().GetDati(d)) testi.push_back(d[0].GetStringa());
        }
    }
    EXPECT_NE(std::find(testi.begin(), testi.end(), L"Curva A"), testi.end());
    EXPECT_EQ(std::find(testi.begin(), testi.end(), L"A_A"), testi.end());
}

}  // namespace
