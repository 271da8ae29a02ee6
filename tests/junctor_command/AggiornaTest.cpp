// Deleting and updating a drawn leg by its id, and the offset test command.
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <map>
#include <set>

#include "CConstrJunctor.h"
#include "ComandoTest.h"
#include "DatiEstesi.h"
#include "LeggiDatiPoli.h"
#include "ModelSpace.h"
#include "PolilineeIntersezione.h"
#include "Resource.h"
#include "WinInput.h"
#include "WinResource.h"


namespace {

using comando::Principale;
using comando::Secondaria;
using comando::PerId;
using comando::RecordDi;
using comando::U8;
using comando::Disegno;
using comando::Dump;


// Item numbers after the application name.
constexpr int kItemH = 8;             // the first style value
constexpr int kItemB1 = 10;
constexpr int kItemRiu = 12;
constexpr int kItemRie = 13;
constexpr int kItemILCImm = 46;       // the first lane value
constexpr int kItemSvoltaSx = 45;     // the left-turn lane flag

// Replaces a text item of a chain.
void Testo(resbuf* rb, const wchar_t* testo) {
    std::free(rb->resval.rstring);
    rb->resval.rstring = wcsdup(testo);
}

const char* NomeRifiuto(int i) {
    static const char* const nomi[] = {"road_edge", "short_records", "no_secondary_road", "no_main_road"};
    return nomi[i];
}



// A leg's polylines or records with its id taken out, to compare two builds.
std::vector<stato::Polilinea> SenzaId(std::vector<stato::Polilinea> v) {
    for (auto& p : v) p.dati[0].clear();
    return v;
}
std::vector<stato::Record> SenzaId(std::vector<stato::Record> v) {
    for (auto& r : v) std::get<3>(r).erase(22405);
    return v;
}

class AggiornaTest : public ComandoTest {
protected:
    void SetUp() override {
        ComandoTest::SetUp();
        m_principale = Disegna(Principale());
        m_secondaria = Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
        Script(L"tracciato SS 1\ntracciato SP 2\n");
        comando::Passi(SelezionaECostruisci());
        CCmdJunctor c;
        ASSERT_TRUE(c.Nuova());
        ASSERT_TRUE(c.GetTuttiCostruiti()) << U8(std::wstring(c.GetLog()));
        m_prima = PerId();
        ASSERT_EQ(m_prima.size(), 2u);
        m_recordIn = RecordDi(Asse(), L"1000000");
        m_recordOut = RecordDi(Asse(), L"1000001");
        vplat::MessageBoxes::Clear();
        vplat::Script::Get().Clear();
    }
    AcDbObjectId Asse() const { return m_principale.front(); }

    // The handle of the first polyline of an id with that edge code.
    static std::wstring Maniglia(const std::wstring& id, const std::wstring& codice) {
        for (const auto& p : legs::PolilineeIntersezione())
            if (p.dati[0] == id && p.Codice() == codice) return p.id.handle().text();
        return L"?";
    }
    static bool Esegui(int modo, const std::wstring& script) {
        Script(script);
        CCmdJunctor c;
        const bool esito = c.Esegui(modo);
        EXPECT_TRUE(Mismatches().empty());
        return esito;
    }
    // Rewrites one item of every polyline of an id; with a negative item,
    // cuts every record to `taglio` items.
    static void CambiaRecord(const std::wstring& id, int item, const std::function<void(resbuf*)>& cambia,
                             int taglio = -1) {
        for (const auto& p : legs::PolilineeIntersezione()) {
            if (p.dati[0] != id) continue;
            resbuf* catena = LeggiDatiEstesi(p.id, kAppIntersezione);
            resbuf* rb = catena->rbnext;
            if (taglio > 0) {
                for (int i = 1; i < taglio; ++i) rb = rb->rbnext;
                acutRelRb(rb->rbnext);
                rb->rbnext = nullptr;
            } else {
                for (int i = 0; i < item; ++i) rb = rb->rbnext;
                cambia(rb);
            }
            AcDbObject* o = nullptr;
            ASSERT_EQ(acdbOpenObject(o, p.id, AcDb::kForWrite), Acad::eOk);
            o->setXData(catena);
            o->close();
            acutRelRb(catena);
        }
    }
    void InvariatoTutto() {
        EXPECT_EQ(PerId(), m_prima);
        EXPECT_EQ(RecordDi(Asse(), L"1000000"), m_recordIn);
        EXPECT_EQ(RecordDi(Asse(), L"1000001"), m_recordOut);
    }

    std::vector<AcDbObjectId> m_principale, m_secondaria;
    std::map<std::wstring, std::vector<stato::Polilinea>> m_prima;
    std::vector<stato::Record> m_recordIn, m_recordOut;
};

class CancellaTest : public AggiornaTest, public ::testing::WithParamInterface<const wchar_t*> {};

// Deleting the Out leg from any of its polylines: all of it goes, with its
// lane records; the In leg stays as it was.
TEST_P(CancellaTest, PickedLegGoesWhole) {
    ASSERT_TRUE(Esegui(1, L"entsel " + Maniglia(L"1000001", GetParam()) + L"\n"));
    const auto dopo = PerId();
    EXPECT_EQ(dopo.size(), 1u);
    EXPECT_EQ(dopo.at(L"1000000"), m_prima.at(L"1000000"));
    EXPECT_TRUE(RecordDi(Asse(), L"1000001").empty());
    EXPECT_EQ(RecordDi(Asse(), L"1000000"), m_recordIn);
    EXPECT_TRUE(Messaggi().empty());
}

INSTANTIATE_TEST_SUITE_P(Codici, CancellaTest, ::testing::Values(L"rCIG", L"rBEOUT", L"rCIOUT", L"rBIIN"),
                         [](const auto& info) { return U8(info.param); });

TEST_F(AggiornaTest, DeleteChangesNothingWithoutAnIntersectionOrItsRoad) {
    // A cancelled pick: silent.
    EXPECT_FALSE(Esegui(1, L"entsel <cancel>\n"));
    EXPECT_TRUE(Messaggi().empty());
    InvariatoTutto();
    // A road edge: one message.
    EXPECT_FALSE(Esegui(1, L"entsel " + m_principale[1].handle().text() + L"\n"));
    EXPECT_EQ(Messaggi().size(), 1u);
    InvariatoTutto();
    // The leg names a main road no alignment bears (by either name).
    vplat::MessageBoxes::Clear();
    for (int item : {2, 3}) {
        CambiaRecord(L"1000001", item, [](resbuf* rb) {
            Testo(rb, L"SS 99");
        });
    }
    m_prima = PerId();
    EXPECT_FALSE(Esegui(1, L"entsel " + Maniglia(L"1000001", L"rCIG") + L"\n"));
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0].text, L" - Tracciato principale non trovato: SS 99");
    InvariatoTutto();
}

// Updating a leg on unchanged roads rebuilds it as it was; the other leg
// is not touched and is not drawn a second time.
TEST_F(AggiornaTest, UpdateOnUnchangedRoadsGivesTheSameLeg) {
    vplat::Clock::Get().Set(3000000);
    ASSERT_TRUE(Esegui(2, L"entsel " + Maniglia(L"1000001", L"rBEOUT") + L"\n"));
    const auto dopo = PerId();
    ASSERT_EQ(dopo.size(), 2u);
    EXPECT_EQ(dopo.at(L"1000000"), m_prima.at(L"1000000"));
    EXPECT_EQ(RecordDi(Asse(), L"1000000"), m_recordIn);
    ASSERT_TRUE(dopo.count(L"3000000"));
    const auto nuova = SenzaId(dopo.at(L"3000000")), vecchia = SenzaId(m_prima.at(L"1000001"));
    ASSERT_EQ(nuova.size(), vecchia.size());
    for (size_t i = 0; i < nuova.size(); ++i) {
        EXPECT_EQ(nuova[i].dati, vecchia[i].dati);
        ASSERT_EQ(nuova[i].vertici.size(), vecchia[i].vertici.size());
        for (size_t k = 0; k < nuova[i].vertici.size(); ++k) {
            EXPECT_NEAR(std::get<0>(nuova[i].vertici[k]), std::get<0>(vecchia[i].vertici[k]), 1e-9);
            EXPECT_NEAR(std::get<1>(nuova[i].vertici[k]), std::get<1>(vecchia[i].vertici[k]), 1e-9);
        }
    }
    EXPECT_EQ(SenzaId(RecordDi(Asse(), L"3000000")), SenzaId(m_recordOut));
    EXPECT_TRUE(Messaggi().empty());
}

// A longer stored island is kept: the rebuilt leg stores it and its drop
// island reaches farther from the main axis.
TEST_F(AggiornaTest, UpdateKeepsTheStoredValues) {
    double h = 0;
    CambiaRecord(L"1000001", kItemH, [&h](resbuf* rb) { h = rb->resval.rreal += 4; });
    auto piuLontano = [](const std::vector<stato::Polilinea>& leg) {
        double y = 0;
        for (const auto& p : leg) {
            if (p.dati[1] != L"rCIG") continue;
            for (const auto& v : p.vertici) y = std::max(y, std::get<1>(v));
        }
        return y;
    };
    const double prima = piuLontano(m_prima.at(L"1000001"));
    vplat::Clock::Get().Set(3000000);
    ASSERT_TRUE(Esegui(2, L"entsel " + Maniglia(L"1000001", L"rCIG") + L"\n"));
    const auto nuova = PerId().at(L"3000000");
    for (const auto& p : nuova) {
        EXPECT_EQ(p.dati[kItemH], PerId().at(L"3000000")[0].dati[kItemH]);
        wchar_t atteso[64];
        swprintf(atteso, 64, L"%.17g", h);
        EXPECT_EQ(p.dati[kItemH], atteso);
    }
    // Every other stored style value but the six angles is unchanged.
    const auto& vecchia = m_prima.at(L"1000001")[0].dati;
    const auto& rifatta = nuova[0].dati;
    for (int i = kItemH + 1; i < 43; ++i) {
        const int indice = i - kItemH;
        const bool angolo = CConstrPars::DESCRITTORI[indice].codice[0] == L'a';
        if (angolo) continue;
        EXPECT_EQ(rifatta[i], vecchia[i]) << i;
    }
    EXPECT_GE(piuLontano(nuova), prima + 1.0);
}

TEST_F(AggiornaTest, UpdateRestoresTheStoredLaneFlags) {
    CambiaRecord(L"1000001", kItemSvoltaSx, [](resbuf* rb) {
        Testo(rb, L"N");
    });
    vplat::Clock::Get().Set(3000000);
    ASSERT_TRUE(Esegui(2, L"entsel " + Maniglia(L"1000001", L"rCIG") + L"\n"));
    const auto nuova = PerId().at(L"3000000");
    EXPECT_EQ(nuova.size(), m_prima.at(L"1000001").size() - 2);
    for (const stato::Record& r : RecordDi(Asse(), L"3000000")) EXPECT_NE(std::get<0>(r), 1513);
}

class RifiutoTest : public AggiornaTest, public ::testing::WithParamInterface<int> {};

// Each refusal after a pick shows one message and changes nothing.
TEST_P(RifiutoTest, OneMessageAndNothingChanges) {
    std::wstring scelta = L"entsel " + Maniglia(L"1000001", L"rCIG") + L"\n";
    switch (GetParam()) {
    case 0:  // a road edge
        scelta = L"entsel " + m_principale[1].handle().text() + L"\n";
        break;
    case 1:  // records cut short
        CambiaRecord(L"1000001", -1, nullptr, 60);
        break;
    case 2:  // the secondary road's axis is gone
    {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenObject(o, m_secondaria.front(), AcDb::kForWrite), Acad::eOk);
        o->erase();
        o->close();
        break;
    }
    case 3:  // the main road is named by nobody
        for (int item : {2, 3})
            CambiaRecord(L"1000001", item, [](resbuf* rb) {
                Testo(rb, L"SS 99");
            });
        break;
    }
    m_prima = PerId();
    m_recordOut = RecordDi(Asse(), L"1000001");
    EXPECT_FALSE(Esegui(2, scelta));
    EXPECT_EQ(Messaggi().size(), 1u);
    InvariatoTutto();
}

INSTANTIATE_TEST_SUITE_P(Casi, RifiutoTest, ::testing::Values(0, 1, 2, 3),
                         [](const auto& info) { return std::string(NomeRifiuto(info.param)); });

// Ways the rebuild of a leg fails: stored values it cannot hold.
struct CasoFallito {
    const char* nome;
    const wchar_t* id;                         // the leg updated (In 1000000, Out 1000001)
    std::vector<std::pair<int, double>> item;  // stored values changed
    const wchar_t* motivo;                     // a reason the error dialog shows
    bool disegna;                              // whether the rebuild drew pieces before it failed
};

const CasoFallito kFalliti[] = {
    // The secondary axis runs 150 to either side: the apex lies beyond it,
    // nothing is drawn.
    {"h_beyond_the_axis", L"1000001", {{kItemH, 300}},
     L" - Numero di intersezioni insufficiente nella costruzione del triangolo dell'isola.\r\n"
     L" - Lunghezza dell'isola h = 300 non costruibile sull'asse della strada secondaria.\r\nErrore!\r\n",
     false},
    {"h_negative", L"1000000", {{kItemH, -45}},
     L" - Lunghezza dell'isola h = -45 non costruibile sull'asse della strada secondaria.\r\n", false},
    // No curb-return radii: the outer edges, shoulders and lane records are
    // made before the island fails.
    {"radii_zero", L"1000001", {{kItemRiu, 0}, {kItemRie, 0}},
     L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n", true},
    {"b1_past_the_island", L"1000000", {{kItemB1, 150}}, L"Errore!", true},
    // A lane width that is no number: refused before anything is drawn.
    {"lane_width_infinite", L"1000001", {{kItemILCImm, std::numeric_limits<double>::infinity()}},
     L" - Valore non valido del parametro di corsia ILCImm.\r\nErrore!\r\n", false},
};

void PrintTo(const CasoFallito& caso, std::ostream* os) { *os << caso.nome; }

class AggiornamentoFallitoTest : public AggiornaTest, public ::testing::WithParamInterface<CasoFallito> {};

// A rebuild that fails leaves the drawing exactly as it was: the old leg's
// polylines with their extended data, its lane records, the other leg, and
// nothing of the new one; the error dialog says why.
TEST_P(AggiornamentoFallitoTest, TheDrawingStaysAsItWasAndTheLogSaysWhy) {
    const CasoFallito& caso = GetParam();
    for (const auto& [item, valore] : caso.item)
        CambiaRecord(caso.id, item, [v = valore](resbuf* rb) { rb->resval.rreal = v; });
    const Dump prima = Disegno(m_db.get());
    comando::TestiErrori errori;
    const std::vector<std::wstring>& testi = errori.testi;
    vplat::Clock::Get().Set(3000000);
    EXPECT_FALSE(Esegui(2, L"entsel " + Maniglia(caso.id, L"rCEIN") + L"\ndialog 7003 key ESCAPE\n"));
    vplat::ModalLoop::SetIdleHook(nullptr);
    const Dump dopo = Disegno(m_db.get());
    EXPECT_EQ(dopo.resto, prima.resto);
    EXPECT_EQ(dopo.handseed != prima.handseed, caso.disegna);
    ASSERT_EQ(testi.size(), 1u);
    EXPECT_NE(testi[0].find(caso.motivo), std::wstring::npos) << U8(testi[0]);
    EXPECT_NE(testi[0].find(L"\r\n - Intersezione non aggiornata: il disegno resta com'era.\r\n"), std::wstring::npos);
    EXPECT_TRUE(Messaggi().empty());
}

INSTANTIATE_TEST_SUITE_P(Casi, AggiornamentoFallitoTest, ::testing::ValuesIn(kFalliti),
                         [](const auto& info) { return std::string(info.param.nome); });

// The offset test: a picked polyline offset 4.3 to its right (a right
// offset of a counter-clockwise arc moves away from its centre).
struct CasoOffset {
    const char* nome;
    std::vector<geomcheck::Vertex> da, atteso;
};

const double kQuarto = std::tan(std::acos(-1.0) / 8);

class OffsetTest : public ComandoTest, public ::testing::WithParamInterface<CasoOffset> {
protected:
    AcDbObjectId Aggiungi(AcDbEntity* e) { return AppendToBlock(m_db.get(), e); }
    static std::vector<AcDbObjectId> Polilinee() {
        resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", RTNONE);
        std::vector<AcDbObjectId> out = SelectAll(filtro);
        acutRelRb(filtro);
        return out;
    }
    static bool Esegui(const std::wstring& script) {
        Script(script);
        CCmdJunctor c;
        const bool esito = c.Esegui(3);
        EXPECT_TRUE(Mismatches().empty());
        return esito;
    }
};

TEST_P(OffsetTest, OffsetToTheRight) {
    AcGePoint3dArray punti;
    AcGeDoubleArray bulge;
    for (const auto& v : GetParam().da) {
        punti.append(AcGePoint3d(v.x, v.y, 0));
        bulge.append(v.bulge);
    }
    const AcDbObjectId id = Aggiungi(new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, false, 0, 0, &bulge));
    EXPECT_TRUE(Esegui(L"entsel " + id.handle().text() + L"\n"));
    const auto polilinee = Polilinee();
    ASSERT_EQ(polilinee.size(), 2u);
    ads_name nuova;
    acdbGetAdsName(nuova, polilinee[1]);
    datipoli* lista = nullptr;
    ASSERT_TRUE(LeggiDATIPOLI(nuova, &lista));
    size_t i = 0;
    for (const datipoli* v = lista; v; v = v->next, ++i) {
        ASSERT_LT(i, GetParam().atteso.size());
        EXPECT_NEAR(v->x, GetParam().atteso[i].x, 1e-9) << i;
        EXPECT_NEAR(v->y, GetParam().atteso[i].y, 1e-9) << i;
        if (!v->next) continue;
        EXPECT_NEAR(v->bulge, GetParam().atteso[i].bulge, 1e-8) << i;
    }
    EXPECT_EQ(i, GetParam().atteso.size());
    LiberaDATIPOLI(&lista);
}

INSTANTIATE_TEST_SUITE_P(
    Polilinee, OffsetTest,
    ::testing::Values(CasoOffset{"straight", {{0, 0, 0}, {100, 0, 0}}, {{0, -4.3, 0}, {100, -4.3, 0}}},
                      CasoOffset{"quarter_arc", {{10, 0, kQuarto}, {0, 10, 0}}, {{14.3, 0, kQuarto}, {0, 14.3, 0}}},
                      CasoOffset{"corner",
                                 {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}},
                                 {{0, -4.3, 0}, {100, -4.3, kQuarto}, {104.3, 0, 0}, {104.3, 100, 0}}}),
    [](const auto& info) { return std::string(info.param.nome); });

// A pick on a line or a text, or a cancelled pick, adds nothing.
TEST_F(OffsetTest, NothingForOtherEntitiesOrACancel) {
    const AcDbObjectId linea = Aggiungi(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId testo = Aggiungi(new AcDbText(AcGePoint3d(0, 5, 0), L"SS 1"));
    for (const std::wstring& script :
         {L"entsel " + linea.handle().text() + L"\n", L"entsel " + testo.handle().text() + L"\n",
          std::wstring(L"entsel <cancel>\n")}) {
        EXPECT_TRUE(Esegui(script));
        EXPECT_TRUE(Polilinee().empty());
    }
}

// The secondary road drawn again, renamed or moved 5 m east, with the same
// internal name: the update finds it and the leg follows it.
TEST_F(AggiornaTest, UpdateFollowsARenamedOrMovedRoad) {
    const std::wstring interno = m_prima.at(L"1000000")[0].dati[4];
    for (const AcDbObjectId& id : m_secondaria) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite), Acad::eOk);
        o->erase();
        o->close();
    }
    roads::Strada spostata = Secondaria({5, -150, 0}, {5, 150, 0}, L"SP 2 bis");
    spostata.nomeInterno = interno;
    Disegna(spostata);
    vplat::Clock::Get().Set(3000000);
    ASSERT_TRUE(Esegui(2, L"entsel " + Maniglia(L"1000000", L"rCIG") + L"\n"));
    EXPECT_TRUE(Messaggi().empty());
    const auto dopo = PerId();
    ASSERT_TRUE(dopo.count(L"3000000"));
    EXPECT_EQ(dopo.at(L"1000001"), m_prima.at(L"1000001"));
    const auto& nuova = dopo.at(L"3000000");
    const auto& vecchia = m_prima.at(L"1000000");
    ASSERT_EQ(nuova.size(), vecchia.size());
    for (size_t i = 0; i < nuova.size(); ++i) {
        EXPECT_EQ(nuova[i].dati[5], L"SP 2 bis");
        EXPECT_EQ(nuova[i].dati[4], interno);
        ASSERT_EQ(nuova[i].vertici.size(), vecchia[i].vertici.size()) << U8(nuova[i].dati[1]);
        for (size_t k = 0; k < nuova[i].vertici.size(); ++k) {
            EXPECT_NEAR(std::get<0>(nuova[i].vertici[k]), std::get<0>(vecchia[i].vertici[k]) + 5, 1e-6);
            EXPECT_NEAR(std::get<1>(nuova[i].vertici[k]), std::get<1>(vecchia[i].vertici[k]), 1e-6);
        }
    }
    const auto recordNuovi = RecordDi(Asse(), L"3000000");
    ASSERT_EQ(recordNuovi.size(), m_recordIn.size());
    for (size_t i = 0; i < recordNuovi.size(); ++i)
        EXPECT_NEAR(std::get<1>(recordNuovi[i]), std::get<1>(m_recordIn[i]) + 5, 1e-6);
}

}  // namespace
