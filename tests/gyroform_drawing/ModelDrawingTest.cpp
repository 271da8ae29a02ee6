// Whole models read from generated plans, computed and drawn: the flat
// ring, saving and reloading, redrawing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "DrawingFixture.h"
#include "DxfFile.h"
#include "EzdxfSupport.h"
#include "HostText.h"

namespace disegno3d {
namespace {

using ModelDrawing = DrawingTest;

// Branch profiles flat at 50, 51 and 55: the ring lies flat at their mean,
// the inner ring 1.5 % lower across the 10 of the carriageway.
TEST_F(ModelDrawing, FlatRingAtTheMeanOfTheBranches) {
    ASSERT_EQ(Leggi(rotatorie::TreRamiPiatti()), 1);
    ASSERT_TRUE(m_interno && m_esterno);
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    EXPECT_NEAR(m_rotatoria->getQuotaRiferimento(), 52.0, 1e-9);

    auto esterno = Riga(m_esterno), interno = Riga(m_interno);
    ASSERT_FALSE(esterno.empty());
    ASSERT_FALSE(interno.empty());
    for (const auto& p : esterno) EXPECT_NEAR(p[2], 52.0, 1e-6);
    for (const auto& p : interno) EXPECT_NEAR(p[2], 51.85, 1e-6);
    std::vector<Ent> polilinea = EntitaIn(m_rotatoria->getBlocco(), L"POLYLINE");
    bool trovata = false;
    for (const Ent& p : polilinea) {
        if (p.handle != m_esterno->getEntita3D().GetHandle()) continue;
        trovata = true;
        for (const auto& v : p.punti) EXPECT_NEAR(v[2], 52.0, 1e-6);
    }
    EXPECT_TRUE(trovata);

    // The ring's faces: corners at 52.0 on the outer ring, 51.85 on the inner.
    size_t facceAnello = 0;
    for (const Ent& f : Entita(L"3DFACE")) {
        bool anello = true;
        for (const auto& c : f.punti) {
            double r = std::hypot(c[0], c[1]);
            anello = anello && (std::fabs(r - 25.0) < 1e-6 || std::fabs(r - 15.0) < 1e-6);
        }
        if (!anello) continue;
        ++facceAnello;
        for (const auto& c : f.punti)
            EXPECT_NEAR(c[2], std::hypot(c[0], c[1]) > 20 ? 52.0 : 51.85, 1e-6);
    }
    EXPECT_GT(facceAnello, 100u);

    // Every section across the ring (inner ring to outer ring) is within the
    // slope bounds and labelled 1.500 %, 0.4 high.
    IQvObject_Group* sezioni = m_interno->getPunti(GRUPPO_CIGLIO);
    ASSERT_TRUE(sezioni && sezioni->GetMemberCount() > 0);
    size_t linee = 0;
    for (const Ent& l : Entita(L"LINE")) {
        double r0 = std::hypot(l.punti[0][0], l.punti[0][1]);
        if (std::fabs(r0 - 15.0) > 1e-6 || std::fabs(std::hypot(l.punti[1][0], l.punti[1][1]) - 25.0) > 1e-6) continue;
        ++linee;
        EXPECT_EQ(l.colore, 3);
    }
    EXPECT_EQ(linee, static_cast<size_t>(sezioni->GetMemberCount()));
    size_t etichette = 0;
    for (const Ent& t : Entita(L"TEXT")) {
        double r = std::hypot(t.punti[0][0], t.punti[0][1]);
        if (r < 15.0 || r > 25.0) continue;
        ++etichette;
        EXPECT_EQ(t.testo, L"1.500 %");
        EXPECT_NEAR(t.altezza, 0.4, 1e-9);
    }
    EXPECT_EQ(etichette, linee);
}

}  // namespace
}  // namespace disegno3d

namespace disegno3d {
namespace {

// What a drawn model shows: entity counts by kind and layer, the 3D
// polylines' handles, every edge's 3D points.
struct Fotografia {
    std::map<std::pair<std::wstring, std::wstring>, size_t> conteggi;
    std::vector<std::wstring> maniglie3D, manigliePiane;
    std::vector<std::vector<std::vector<double>>> righe;
};

class SavedModel : public DrawingTest {
protected:
    Fotografia Scatta() {
        Fotografia f;
        f.conteggi = Conteggi();
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            f.maniglie3D.push_back(c->getEntita3D().GetHandle());
            f.manigliePiane.push_back(c->getEntita().GetHandle());
            f.righe.push_back(Riga(c));
        }
        return f;
    }
    static void Confronta(const Fotografia& a, const Fotografia& b) {
        EXPECT_EQ(a.conteggi, b.conteggi);
        EXPECT_EQ(a.maniglie3D, b.maniglie3D);
        EXPECT_EQ(a.manigliePiane, b.manigliePiane);
        ASSERT_EQ(a.righe.size(), b.righe.size());
        for (size_t i = 0; i < a.righe.size(); ++i) {
            ASSERT_EQ(a.righe[i].size(), b.righe[i].size()) << "edge " << i;
            for (size_t k = 0; k < a.righe[i].size(); ++k)
                for (int j = 0; j < 3; ++j) EXPECT_NEAR(a.righe[i][k][j], b.righe[i][k][j], 1e-9) << i << " " << k;
        }
    }
};

TEST_F(SavedModel, DrawsTheSameTwiceInARow) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    m_rotatoria->disegna3D(nullptr);
    Fotografia prima = Scatta();
    EXPECT_GT((prima.conteggi[{L"3DFACE", L"Rotatoria Sud-QVRO3D-3DFACE"}]), 0u);
    m_rotatoria->disegna3D(nullptr);
    Confronta(prima, Scatta());
}

// Saved, audited by an independent reader, opened again: the model reloads
// from its reference and draws the same entities through the saved handles.
TEST_F(SavedModel, SaveReloadAndRedraw) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    m_rotatoria->disegna3D(nullptr);
    Fotografia prima = Scatta();
    std::wstring riferimento = Riferimenti().at(0).GetHandle();
    std::string file = ::testing::TempDir() + "modello-" + std::to_string(::getpid()) + ".dxf";
    std::wstring wfile(file.begin(), file.end());
    ASSERT_EQ(m_db->dxfOut(wfile.c_str()), Acad::eOk);
    m_rotatoria.reset();

    if (ezdxf_support::HaveEzdxf()) {
        int rc = 0;
        std::string out = ezdxf_support::AuditErrors(file, &rc);
        EXPECT_EQ(rc, 0) << out;
    }

    auto aperto = std::make_unique<AcDbDatabase>(false, true);
    ASSERT_EQ(aperto->dxfIn(wfile.c_str()), Acad::eOk);
    std::remove(file.c_str());
    acdbHostApplicationServices()->setWorkingDatabase(aperto.get());
    m_db.swap(aperto);
    m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
    ZylEntityID rif(riferimento.c_str(), ZylDatabase());
    ASSERT_FALSE(rif.IsNull());
    ASSERT_EQ(m_rotatoria->disegna(rif), 1);
    m_rotatoria->disegna3D(nullptr);
    Fotografia dopo = Scatta();
    Confronta(prima, dopo);
    EXPECT_EQ(Riferimenti().size(), 1u);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        CADDatoArray dati;
        ASSERT_TRUE(c->getEntita().GetDatiEstesi(dati));
        ASSERT_GE(dati.GetCount(), 2);
        EXPECT_EQ(dati[0].GetCodice(), 1001);
        EXPECT_EQ(std::wstring(dati[0].GetStringa()), L"QV-VORTANA-INTERS-ROT_3D");
        EXPECT_EQ(dati[1].GetCodice(), 1071);
        EXPECT_EQ(dati[1].GetInt(), 1);
    }
    m_rotatoria.reset();
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

// A saved model whose data hold a point of the wrong kind in a group, or a
// value that is not finite or beyond any size, is refused whole, with a
// message, instead of computing on it.
TEST_F(SavedModel, ASavedModelWithDataItCannotHoldIsRefused) {
    struct Caso {
        const char* nome;
        // Alters one edge's saved data; false when there was nothing to alter.
        bool (*altera)(CADDatoArray& dati);
    };
    // The data again with the entry at k replaced by what nuova adds.
    static auto Sostituisci = [](CADDatoArray& dati, int k, auto nuova) {
        CADDatoArray nuovi;
        for (int j = 0; j < dati.GetCount(); ++j) {
            if (j == k) nuova(nuovi);
            else nuovi.Add(dati[j]);
        }
        dati = nuovi;
    };
    // The first real the data hold becomes v.
    static auto Reale = [](CADDatoArray& dati, double v) {
        for (int i = 2; i + 1 < dati.GetCount(); i += 2) {
            if (dati[i + 1].GetCodice() != 1040) continue;
            Sostituisci(dati, i + 1, [v](CADDatoArray& a) { a.Add(1040, v); });
            return true;
        }
        return false;
    };
    const Caso casi[] = {
        {"a section point in the vertex group",
         [](CADDatoArray& dati) {
             // Each member opens with (key 0, its type code).
             for (int i = 2; i + 1 < dati.GetCount(); i += 2) {
                 if (dati[i].GetInt() != 0 || dati[i + 1].GetInt() != TIPO_PUNTOVERTICE) continue;
                 Sostituisci(dati, i + 1, [](CADDatoArray& a) { a.Add(1071, TIPO_PUNTOSEZIONE); });
                 return true;
             }
             return false;
         }},
        {"an elevation of -1e308", [](CADDatoArray& dati) { return Reale(dati, -1e308); }},
        {"a value that is not a number", [](CADDatoArray& dati) { return Reale(dati, std::nan("")); }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
        ASSERT_EQ(Leggi(TreRami()), 1);
        ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
        // The inner left edge of the first branch: it has vertex points.
        CCiglio3D* isola = Cigli(*m_rotatoria).at(3);
        CADDatoArray dati;
        ASSERT_TRUE(isola->getEntita().GetDatiEstesi(dati));
        ASSERT_TRUE(c.altera(dati));
        ZylPolylineID pianta = isola->getEntita();
        ASSERT_TRUE(pianta.SetDatiEstesi(dati));
        ZylEntityID riferimento = Riferimenti().at(0);
        vplat::MessageBoxes::Clear();
        auto caricato = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
        EXPECT_EQ(caricato->disegna(riferimento), -1);
        EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"Il modello salvato non è valido: non viene caricato."});
        EXPECT_EQ(caricato->getCigli(), nullptr);
        EXPECT_EQ(caricato->getAssi(), nullptr);
        EXPECT_EQ(caricato->disegna3D(nullptr), 0);
    }
}

// Moving a branch vertex onto another's chainage leaves the edge without a
// profile: the recompute says so and fails, the drawing fails, and no face
// joins stations that are not neighbours (the faces of the edges hung from
// it would otherwise cut across the next strip).
TEST_F(SavedModel, AProfileThatCannotBeComputedIsReportedAndDrawsNoFaceAcross) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    auto latoPiuLungo = [this] {
        double massimo = 0.0;
        for (const Ent& f : Entita(L"3DFACE"))
            for (size_t k = 0; k < f.punti.size(); ++k) {
                const std::vector<double>& a = f.punti[k];
                const std::vector<double>& b = f.punti[(k + 1) % f.punti.size()];
                massimo = std::max(massimo, std::hypot(a[0] - b[0], a[1] - b[1]));
            }
        return massimo;
    };
    // A face spans a cross-section of its strip: its sides across the strip
    // stand square on its sides along it, give or take the edges' curvature.
    // Faces that pair stations of one edge with stations farther along the
    // other lean over.
    auto angoloPiuStorto = [this] {
        double minimo = 90.0;
        for (const Ent& f : Entita(L"3DFACE")) {
            const std::vector<double>&a = f.punti[0], &b = f.punti[1], &d = f.punti[3];
            double lungo[2] = {b[0] - a[0], b[1] - a[1]}, largo[2] = {d[0] - a[0], d[1] - a[1]};
            double nl = std::hypot(lungo[0], lungo[1]), nw = std::hypot(largo[0], largo[1]);
            if (nl < 1e-9 || nw < 1e-9) continue;
            double c = std::fabs(lungo[0] * largo[0] + lungo[1] * largo[1]) / (nl * nw);
            minimo = std::min(minimo, std::acos(std::min(1.0, c)) * 180.0 / std::acos(-1.0));
        }
        return minimo;
    };
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    const double prima = latoPiuLungo();
    ASSERT_LT(prima, 12.0);
    EXPECT_GT(angoloPiuStorto(), 80.0);

    CCiglio3D* isola = Cigli(*m_rotatoria).at(3);
    std::vector<IQvObject*> vertici = Membri(isola->getPunti(GRUPPO_VERTICE));
    ASSERT_GE(vertici.size(), 3u);
    auto* secondo = static_cast<CPuntoVertice*>(vertici[1]);
    auto* terzo = static_cast<CPuntoVertice*>(vertici[2]);
    ASSERT_EQ(terzo->SetDato(CDato(DATO_PUNTO_PROGRESSIVA, secondo->getProgressiva())), 1);
    vplat::MessageBoxes::Clear();
    EXPECT_EQ(m_rotatoria->ricalcola(isola, 1, TIPO_PUNTOVERTICE, nullptr, CDato()), 0);
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{
                              isola->getDescrizione().GetString() +
                              std::wstring(L": Profilo non valido: due vertici alla stessa progressiva.")});
    EXPECT_TRUE(isola->isProfiloNonValido());
    EXPECT_EQ(m_rotatoria->disegna3D(nullptr), 0);
    EXPECT_GT(Entita(L"3DFACE").size(), 0u);
    EXPECT_LT(latoPiuLungo(), 12.0);
    EXPECT_GT(angoloPiuStorto(), 80.0);

    // Moved back, the profile computes again and the model draws.
    ASSERT_EQ(terzo->SetDato(CDato(DATO_PUNTO_PROGRESSIVA, secondo->getProgressiva() + 5.0)), 1);
    EXPECT_EQ(m_rotatoria->ricalcola(isola, 1, TIPO_PUNTOVERTICE, nullptr, CDato()), 1);
    EXPECT_EQ(m_rotatoria->disegna3D(nullptr), 1);
}

// A saved model whose name was changed in its data to one no layer may
// carry: the reload says which layers it could not make, and the drawing
// saved after the redraw opens again, here and in an independent reader.
TEST_F(SavedModel, ANameNoLayerMayCarryIsReportedAndTheDrawingStillSaves) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    m_rotatoria->disegna3D(nullptr);
    std::wstring riferimento = Riferimenti().at(0).GetHandle();
    m_rotatoria.reset();
    std::string testo = vplat::WriteDxfText(m_db.get());
    for (size_t p = testo.find("\n1000\nRotatoria Sud\n"); p != std::string::npos;
         p = testo.find("\n1000\nRotatoria Sud\n", p + 1))
        testo.replace(p, 20, "\n1000\nRotatoria/Sud\n");
    auto aperto = std::make_unique<AcDbDatabase>(false, true);
    std::wstring errore;
    ASSERT_TRUE(vplat::ReadDxfText(testo, aperto.get(), &errore)) << vplat::WideToUtf8(errore);
    acdbHostApplicationServices()->setWorkingDatabase(aperto.get());
    m_db.swap(aperto);
    vplat::MessageBoxes::Clear();
    m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
    ZylEntityID rif(riferimento.c_str(), ZylDatabase());
    ASSERT_EQ(m_rotatoria->disegna(rif), 1);
    m_rotatoria->disegna3D(nullptr);
    ASSERT_FALSE(vplat::MessageBoxes::All().empty());
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text.rfind(L"Layer non creati, nomi non validi: Rotatoria/Sud-QVRO3D-3DFACE", 0),
              0u);
    m_rotatoria.reset();

    std::string file = ::testing::TempDir() + "modello-barra-" + std::to_string(::getpid()) + ".dxf";
    std::wstring wfile(file.begin(), file.end());
    ASSERT_EQ(m_db->dxfOut(wfile.c_str()), Acad::eOk);
    AcDbDatabase riletto(false, true);
    EXPECT_EQ(riletto.dxfIn(wfile.c_str()), Acad::eOk) << vplat::WideToUtf8(vplat::LastDxfError());
    if (ezdxf_support::HaveEzdxf()) {
        int rc = 0;
        std::string out = ezdxf_support::AuditErrors(file, &rc);
        EXPECT_EQ(rc, 0) << out;
    }
    std::remove(file.c_str());
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

}  // namespace
}  // namespace disegno3d
