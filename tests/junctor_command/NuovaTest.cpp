// The new intersection: the build of the checked legs, the error dialog, and
// replacing what an earlier command drew for the same roads (polylines and
// lane records), leg by leg, only with a leg built whole.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>

#include "ArxAppContext.h"
#include "ArxEntry.h"
#include "CConstrJunctor.h"
#include "ComandoTest.h"
#include "DatiEstesi.h"
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



std::set<std::wstring> Id() {
    std::set<std::wstring> out;
    for (const auto& [id, p] : PerId()) out.insert(id);
    return out;
}


class NuovaTest : public ComandoTest {
protected:
    // A crossing (In on the right, Out on the left) built by one command.
    void CostruisciIncrocio() {
        m_asse = Disegna(Principale()).front();
        Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
        Nuovamente();
        ASSERT_EQ(Id(), (std::set<std::wstring>{L"1000000", L"1000001"}));
    }
    // The command again on the same roads, with the clock moved on.
    void Nuovamente(std::function<void(CCmdJunctor&, CJunctorSettings&)> prima = nullptr,
                    const std::wstring& altro = L"") {
        Script(L"tracciato SS 1\ntracciato SP 2\n" + altro);
        comando::Passi(SelezionaECostruisci(std::move(prima)));
        CCmdJunctor c;
        ASSERT_TRUE(c.Nuova());
        m_log = c.GetLog();
        EXPECT_TRUE(Mismatches().empty());
    }

    AcDbObjectId m_asse;
    CString m_log;
};

TEST_F(NuovaTest, CrossingBuildsBothLegsWithoutErrorDialog) {
    std::vector<std::wstring> dialoghi;
    vplat::ModalLoop::SetIdleHook([&](HWND, int) { dialoghi.push_back(L"x"); });
    CostruisciIncrocio();
    const auto legs = PerId();
    for (const auto& [id, polilinee] : legs) {
        SCOPED_TRACE(U8(id));
        EXPECT_EQ(polilinee.size(), 12u);
        std::multiset<std::wstring> codici;
        for (const auto& p : polilinee) {
            EXPECT_EQ(p.dati.size(), 104u);
            codici.insert(p.dati[1]);
        }
        EXPECT_EQ(codici, (std::multiset<std::wstring>{L"rCIG", L"rBIG", L"rCEIN", L"rBEIN", L"rCEOUT", L"rBEOUT",
                                                       L"rCIIN", L"rBIIN", L"rCIOUT", L"rBIOUT", L"rCIOUT",
                                                       L"rCIOUT"}));
        // The In leg is the first built: it lies on the right (south) side.
        for (const auto& p : polilinee) {
            if (p.dati[1] != L"rCIG") continue;
            for (const auto& v : p.vertici) EXPECT_EQ(std::get<1>(v) < 0, id == L"1000000");
        }
    }
    EXPECT_FALSE(RecordDi(m_asse, L"1000000").empty());
    EXPECT_FALSE(RecordDi(m_asse, L"1000001").empty());
    EXPECT_TRUE(dialoghi.empty());
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(NuovaTest, TBuildsOneLeg) {
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 0, 0}));
    Nuovamente();
    EXPECT_EQ(Id(), std::set<std::wstring>{L"1000000"});
}

// Built again over itself: the old legs go with all their lane records, and
// only the new ids remain.
TEST_F(NuovaTest, RebuildLeavesNoOldPolylineOrRecord) {
    CostruisciIncrocio();
    const size_t perLeg = RecordDi(m_asse, L"1000000").size();
    vplat::Clock::Get().Set(3000000);
    Nuovamente();
    EXPECT_EQ(Id(), (std::set<std::wstring>{L"3000000", L"3000001"}));
    EXPECT_TRUE(RecordDi(m_asse, L"1000000").empty());
    EXPECT_TRUE(RecordDi(m_asse, L"1000001").empty());
    EXPECT_EQ(RecordDi(m_asse, L"3000000").size(), perLeg);
    size_t lista1513 = 0;
    for (const stato::Record& r : stato::RecordCorsie(m_asse)) lista1513 += std::get<0>(r) == 1513;
    EXPECT_EQ(lista1513, 8u);
}

// Only the checked leg is erased and built again; the other one, although
// its polylines carry the same road names, stays as it was.
TEST_F(NuovaTest, OnlyTheCheckedLegIsReplaced) {
    CostruisciIncrocio();
    const auto prima = PerId();
    const auto recordIn = RecordDi(m_asse, L"1000000");
    vplat::Clock::Get().Set(3000000);
    Nuovamente([](CCmdJunctor& c, CJunctorSettings&) { c.GetIn()->SetSelezionata(0); });
    const auto dopo = PerId();
    EXPECT_EQ(Id(), (std::set<std::wstring>{L"1000000", L"3000000"}));
    ASSERT_TRUE(dopo.count(L"1000000"));
    EXPECT_EQ(dopo.at(L"1000000"), prima.at(L"1000000"));
    EXPECT_EQ(RecordDi(m_asse, L"1000000"), recordIn);
    EXPECT_TRUE(RecordDi(m_asse, L"1000001").empty());
    // The same the other way round.
    Nuovamente([](CCmdJunctor& c, CJunctorSettings&) { c.GetOut()->SetSelezionata(0); });
    EXPECT_EQ(Id(), (std::set<std::wstring>{L"3000000", L"3000001"}));
    EXPECT_EQ(PerId().at(L"3000000"), dopo.at(L"3000000"));
}

// A polyline of the application with an id far longer than any the builder
// makes, and the same road names: read whole, never taken for a leg.
TEST_F(NuovaTest, LongIdBesideTheIntersection) {
    CostruisciIncrocio();
    const std::wstring lungo(40, L'7');
    AcDbObjectId estraneo;
    {
        AcGePoint3dArray vertici;
        vertici.append(AcGePoint3d(300, -300, 0));
        vertici.append(AcGePoint3d(310, -300, 0));
        auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly, vertici);
        estraneo = AppendToBlock(m_db.get(), p);
        ASSERT_EQ(acdbOpenObject(p, estraneo, AcDb::kForWrite), Acad::eOk);
        acdbRegApp(kAppIntersezione);
        resbuf* dati = acutBuildList(1001, kAppIntersezione, 1000, lungo.c_str(), 1000, L"rCIG", 1000, L"", 1000,
                                     L"SS 1", 1000, L"", 1000, L"SP 2", RTNONE);
        p->setXData(dati);
        acutRelRb(dati);
        p->close();
    }
    vplat::Clock::Get().Set(3000000);
    Nuovamente();
    EXPECT_EQ(Id(), (std::set<std::wstring>{lungo, L"3000000", L"3000001"}));
}

// A leg that fails shows the error dialog with the builder's log, keeps what
// it drew and recorded under its own id, and the delete command, picking any
// of its pieces, removes all of it with its lane records; the other leg is
// built and stays.
TEST_F(NuovaTest, FailedLegShowsItsLogKeepsItsPiecesAndGoesWithDelete) {
    m_asse = Disegna(Principale()).front();
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    comando::TestiErrori errori;
    const std::vector<std::wstring>& testi = errori.testi;
    Nuovamente(
        [](CCmdJunctor& c, CJunctorSettings&) {
            c.GetOut()->GetParametri()->riu.SetValore(0);
            c.GetOut()->GetParametri()->rie.SetValore(0);
        },
        L"dialog 7003 key ESCAPE\n");
    vplat::ModalLoop::SetIdleHook(nullptr);
    ASSERT_EQ(testi.size(), 1u);
    EXPECT_FALSE(m_log.IsEmpty());
    EXPECT_EQ(testi[0], std::wstring(m_log));
    EXPECT_NE(testi[0].find(L"Verso della strada: Out"), std::wstring::npos);
    EXPECT_EQ(testi[0].find(L"Verso della strada: In"), std::wstring::npos);
    // Why: the drop island has no point on its base, so the triangular
    // islands have nothing to stand on.
    EXPECT_NE(testi[0].find(L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n - L'arco di "
                            L"raggio rie non raggiunge la base dell'isola: modificare rie o b2.\r\nErrore!"),
              std::wstring::npos);
    EXPECT_NE(testi[0].find(L" - Impossibile recuperare l'entità di costruzione.\r\nErrore!"), std::wstring::npos);
    // Nothing was drawn earlier for these roads: nothing is said to stay.
    EXPECT_EQ(testi[0].find(L"non ridisegnata"), std::wstring::npos);

    // The failed leg's outer edges and shoulders stay, each with its id and
    // whole data, and its entry and exit lane records.
    EXPECT_EQ(Id(), (std::set<std::wstring>{L"1000000", L"1000001"}));
    const auto legs = PerId();
    std::multiset<std::wstring> codici;
    for (const auto& p : legs.at(L"1000001")) {
        EXPECT_EQ(p.dati.size(), 104u);
        codici.insert(p.dati[1]);
    }
    EXPECT_EQ(codici, (std::multiset<std::wstring>{L"rCEIN", L"rBEIN", L"rCEOUT", L"rBEOUT"}));
    EXPECT_FALSE(RecordDi(m_asse, L"1000001").empty());
    const auto recordIn = RecordDi(m_asse, L"1000000");

    std::wstring maniglia;
    for (const auto& p : legs::PolilineeIntersezione())
        if (p.dati[0] == L"1000001" && p.Codice() == L"rBEOUT") maniglia = p.id.handle().text();
    Script(L"entsel " + maniglia + L"\n");
    CCmdJunctor canc;
    EXPECT_TRUE(canc.Esegui(1));
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(Id(), std::set<std::wstring>{L"1000000"});
    EXPECT_EQ(PerId().at(L"1000000"), legs.at(L"1000000"));
    EXPECT_TRUE(RecordDi(m_asse, L"1000001").empty());
    EXPECT_EQ(RecordDi(m_asse, L"1000000"), recordIn);
}

// What a redraw does to a leg in the pass before "Disegna": nothing (the
// leg is not checked), or values typed in its style tree, the island
// placed again where the dialog places it.
using Cambio = void (*)(CCmdJunctor&, CJunctorSettings&, CSecondariaJunctor*);

void Invariato(CCmdJunctor&, CJunctorSettings&, CSecondariaJunctor*) {}
void IsolaPiuLunga(CCmdJunctor& c, CJunctorSettings&, CSecondariaJunctor* r) {
    r->GetParametri()->h.SetValore(r->GetParametri()->h.GetValore() + 4);
    r->CalcolaIsola(c.GetPrincipale(), false, true, false);
}
void B2Enorme(CCmdJunctor& c, CJunctorSettings&, CSecondariaJunctor* r) {
    r->GetParametri()->b2.SetValore(150);
    r->CalcolaIsola(c.GetPrincipale(), false, false, true);
}
void R1Enorme(CCmdJunctor&, CJunctorSettings&, CSecondariaJunctor* r) {
    r->GetParametri()->r1u.SetValore(400);
    r->GetParametri()->r1e.SetValore(400);
}
void RaggiIsolaZero(CCmdJunctor&, CJunctorSettings&, CSecondariaJunctor* r) {
    r->GetParametri()->riu.SetValore(0);
    r->GetParametri()->rie.SetValore(0);
}
// The lane set the legs are built with is the settings' current one.
void CorsiaInfinita(CCmdJunctor&, CJunctorSettings& settings, CSecondariaJunctor*) {
    settings.GetParCorsie()->Parametro(0).SetValore(std::numeric_limits<double>::infinity());
}

struct Ramo {
    Cambio cambio;          // null: the leg is not checked
    bool costruito;         // whether the new leg is built whole
    const wchar_t* motivo;  // for a refused leg, a reason its log gives
};
struct CasoRidisegno {
    const char* nome;
    Ramo in, out;
};
void PrintTo(const CasoRidisegno& caso, std::ostream* os) { *os << caso.nome; }

const Ramo kUguale{Invariato, true, nullptr};
const Ramo kPiuLunga{IsolaPiuLunga, true, nullptr};
const Ramo kNonScelto{nullptr, false, nullptr};
const Ramo kB2{B2Enorme, false, L" - L'arco di raggio rie non raggiunge la base dell'isola: modificare rie o b2.\r\n"};
const Ramo kR1{R1Enorme, false, L" - Ciglio esterno di immissione: ridurre il raggio r1e.\r\n"};
const Ramo kRaggiIsola{RaggiIsolaZero, false, L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n"};
const Ramo kCorsia{CorsiaInfinita, false, L" - Valore non valido del parametro di corsia ILCImm.\r\nErrore!\r\n"};

const CasoRidisegno kRidisegni[] = {
    {"both_again", kUguale, kUguale},
    {"longer_island_in", kPiuLunga, kNonScelto},
    {"b2_too_wide_out", kNonScelto, kB2},
    {"b2_too_wide_both", kB2, kB2},
    {"r1_too_large_in", kR1, kNonScelto},
    {"island_radii_zero_out", kNonScelto, kRaggiIsola},
    {"lane_width_infinite_in", kCorsia, kNonScelto},
    {"in_refused_out_built", kB2, kPiuLunga},
    {"in_built_out_refused", kUguale, kRaggiIsola},
};

class RidisegnoTest : public NuovaTest, public ::testing::WithParamInterface<CasoRidisegno> {};

size_t Conta(const std::wstring& testo, const std::wstring& riga) {
    size_t n = 0;
    for (size_t i = testo.find(riga); i != std::wstring::npos; i = testo.find(riga, i + 1)) ++n;
    return n;
}

// The crossing drawn again over itself: a leg built whole replaces its
// earlier one with all its lane records; a refused leg takes away what it
// drew and recorded, and the earlier one stays as it was, polylines,
// extended data and records. The error dialog gives each refused leg's log
// and says the drawing stays as it was.
TEST_P(RidisegnoTest, ABuiltLegReplacesTheEarlierOneARefusedLegKeepsIt) {
    const CasoRidisegno& caso = GetParam();
    CostruisciIncrocio();
    const auto prima = PerId();
    const Ramo* rami[] = {&caso.in, &caso.out};
    const std::wstring vecchi[] = {L"1000000", L"1000001"};
    const std::vector<stato::Record> recordPrima[] = {RecordDi(m_asse, vecchi[0]), RecordDi(m_asse, vecchi[1])};
    ASSERT_FALSE(recordPrima[0].empty());
    ASSERT_FALSE(recordPrima[1].empty());
    const comando::Dump disegnoPrima = comando::Disegno(m_db.get());
    size_t rifiutati = 0, costruiti = 0;
    for (const Ramo* r : rami) {
        rifiutati += r->cambio && !r->costruito;
        costruiti += r->costruito;
    }

    comando::TestiErrori errori;
    const std::vector<std::wstring>& testi = errori.testi;
    vplat::Clock::Get().Set(3000000);
    Nuovamente(
        [&](CCmdJunctor& c, CJunctorSettings& settings) {
            CSecondariaJunctor* legs[] = {c.GetIn(), c.GetOut()};
            for (int i = 0; i < 2; ++i) {
                legs[i]->SetSelezionata(rami[i]->cambio ? 1 : 0);
                if (rami[i]->cambio) rami[i]->cambio(c, settings, legs[i]);
            }
        },
        rifiutati ? L"dialog 7003 key ESCAPE\n" : L"");
    vplat::ModalLoop::SetIdleHook(nullptr);
    const std::wstring log(m_log);

    ASSERT_EQ(testi.size(), rifiutati ? 1u : 0u);
    if (rifiutati) {
        EXPECT_EQ(testi[0], log);
    }
    EXPECT_EQ(Conta(log, L" - Intersezione non ridisegnata: il disegno resta com'era.\r\n"), rifiutati) << U8(log);

    const auto dopo = PerId();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "In" : "Out");
        const Ramo& r = *rami[i];
        if (r.costruito) {
            EXPECT_FALSE(dopo.count(vecchi[i]));
            EXPECT_TRUE(RecordDi(m_asse, vecchi[i]).empty());
            continue;
        }
        ASSERT_TRUE(dopo.count(vecchi[i]));
        EXPECT_EQ(dopo.at(vecchi[i]), prima.at(vecchi[i]));
        EXPECT_EQ(RecordDi(m_asse, vecchi[i]), recordPrima[i]);
        if (r.cambio) {
            EXPECT_NE(log.find(r.motivo), std::wstring::npos) << U8(log);
        }
    }
    // The new ids are those of the legs built, each whole with its records;
    // nothing of a refused leg is left.
    size_t nuovi = 0;
    for (const auto& [id, polilinee] : dopo) {
        if (id == vecchi[0] || id == vecchi[1]) continue;
        ++nuovi;
        EXPECT_EQ(polilinee.size(), 12u) << U8(id);
        EXPECT_FALSE(RecordDi(m_asse, id).empty()) << U8(id);
    }
    EXPECT_EQ(nuovi, costruiti);
    // The main alignment holds records of exactly the legs drawn.
    std::set<std::wstring> idRecord, idDisegnati;
    for (const stato::Record& r : stato::RecordCorsie(m_asse))
        if (auto it = std::get<3>(r).find(kDatoIdIntersezione); it != std::get<3>(r).end()) idRecord.insert(it->second);
    for (const auto& [id, polilinee] : dopo) idDisegnati.insert(id);
    EXPECT_EQ(idRecord, idDisegnati);
    if (!costruiti) {
        EXPECT_EQ(comando::Disegno(m_db.get()).resto, disegnoPrima.resto);
    }
    EXPECT_TRUE(Messaggi().empty());
}

INSTANTIATE_TEST_SUITE_P(Casi, RidisegnoTest, ::testing::ValuesIn(kRidisegni),
                         [](const auto& info) { return std::string(info.param.nome); });

// A layer name from the settings that no layer may have draws none of its
// polylines, and the log says which and why.
TEST_F(NuovaTest, ALayerNameNoLayerMayHaveIsLogged) {
    namespace fs = std::filesystem;
    const fs::path cartella = fs::temp_directory_path() / ("vortana-layer-" + std::to_string(::getpid()));
    fs::create_directories(cartella);
    std::ofstream(cartella / "DEFAULTSETTINGS.INI") << "[LAYER]\r\nQV-CIGLI=QV-INTERS|CIGLI\r\n";
    fs::create_symlink(fs::path(VORTANA_BIN) / "Junctor", cartella / "Junctor");
    const CString dir = CString(cartella.string().c_str()) + L"/";
    wcsncpy(GetArxAppContext()->m_szAppDir, dir, CArxAppContext::kDirLength - 1);
    m_asse = Disegna(Principale()).front();
    Disegna(Secondaria({0, -150, 0}, {0, 0, 0}));
    Nuovamente(nullptr, L"dialog 7003 key ESCAPE\n");
    fs::remove_all(cartella);
    EXPECT_NE(std::wstring(m_log).find(L" - Polilinea non disegnata, layer non valido: rCIG (QV-INTERS|CIGLI).\r\n"),
              std::wstring::npos)
        << U8(std::wstring(m_log));
    for (const auto& [id, polilinee] : PerId())
        for (const auto& p : polilinee) EXPECT_NE(p.dati[1].rfind(L"rCI", 0), 0u) << U8(p.dati[1]);
    auto* layer = vplat::Peek<AcDbLayerTable>(m_db->layerTableId());
    EXPECT_TRUE(layer->find(L"QV-INTERS|CIGLI").isNull());
}

// Cancel, at once or after choosing the roads, builds nothing.
TEST_F(NuovaTest, CancelBuildsNothing) {
    m_asse = Disegna(Principale()).front();
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    const auto record = stato::RecordCorsie(m_asse);
    for (auto passi : {std::vector<comando::Passo>{{IDCANCEL, 0}},
                       std::vector<comando::Passo>{{IDCANCEL, 2}, {IDCANCEL, 3}, {IDCANCEL, 0}}}) {
        Script(passi.size() > 1 ? L"tracciato SS 1\ntracciato SP 2\n" : L"");
        comando::Passi(passi);
        CCmdJunctor c;
        EXPECT_TRUE(c.Nuova());
        EXPECT_EQ(comando::NumeroPassi(), static_cast<int>(passi.size()));
        EXPECT_TRUE(Id().empty());
        EXPECT_EQ(stato::RecordCorsie(m_asse), record);
        EXPECT_TRUE(Mismatches().empty());
    }
}

// A style name longer than extended data carries is cut to its 255 bytes
// (whole characters) in every polyline of the legs.
TEST_F(NuovaTest, LongStyleNamesAreCutInTheExtendedData) {
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    const std::wstring nome = L"Stile " + std::wstring(300, L'\u00e8');
    Nuovamente([&](CCmdJunctor& c, CJunctorSettings&) {
        for (CSecondariaJunctor* ramo : {c.GetIn(), c.GetOut()}) ramo->GetParametri()->SetNome(nome.c_str());
    });
    const auto polilinee = stato::PolilineeIntersezione();
    ASSERT_FALSE(polilinee.empty());
    for (const stato::Polilinea& p : polilinee) {
        ASSERT_GE(p.dati.size(), 7u);
        EXPECT_EQ(p.dati[6], nome.substr(0, 6 + 124));  // 6 + 124 x 2 = 254 bytes
    }
}

}  // namespace
