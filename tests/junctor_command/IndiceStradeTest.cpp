// The edge lookup and the search for an intersection drawn earlier, asked of
// the drawing's index of tagged entities, choose what the walk of every
// tagged polyline chooses, on a generated road network through appends,
// erases, restores, changes of extended data and a save and reopen.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include "CCigliBanchineMgr.h"
#include "CCmdJunctor.h"
#include "CConstrJunctor.h"
#include "HostText.h"
#include "RoadDrawing.h"

namespace {

constexpr int kStrade = 10;

std::wstring Strada(int k) { return L"Strada " + std::to_wstring(k); }

// What one edge lookup found: its result, every candidate by handle and the
// chosen ones.
struct Ricerca {
    bool esito = false;
    std::vector<std::vector<uint64_t>> candidati;
    std::vector<int> scelti;
    bool operator==(const Ricerca&) const = default;
};

class IndiceStradeTest : public RoadDrawingTest {
protected:
    void SetUp() override {
        RoadDrawingTest::SetUp();
        RegApplicazione(kAppIntersezione, m_db.get());
    }

    static Ricerca Cerca(const std::wstring& nome, bool indici) {
        vplat::UseSelectionIndexes(indici);
        CCigliBanchineMgr mgr;
        ads_point rif = {120, 0, 0};
        mgr.Inizializza(nome.c_str(), 0, 2, rif);
        Ricerca r;
        r.esito = mgr.CercaEScegli();
        for (int k = 0; k < CCigliBanchineMgr::kNumTipi; ++k) {
            r.candidati.emplace_back();
            for (INT_PTR i = 0; i < mgr.Candidati(k).GetSize(); ++i)
                r.candidati.back().push_back(IdDi(mgr.Candidati(k)[i].nome).handle().value());
            r.scelti.push_back(mgr.Scelto(k));
        }
        vplat::UseSelectionIndexes(true);
        return r;
    }
    static std::wstring CercaId(const std::wstring& principale, const std::wstring& ramo, bool indici) {
        vplat::UseSelectionIndexes(indici);
        CCmdJunctor comando;
        const bool trovato = comando.CercaIdEsistente(principale.c_str(), ramo.c_str(), nullptr);
        vplat::UseSelectionIndexes(true);
        return trovato ? std::wstring(static_cast<LPCWSTR>(comando.GetId())) : L"-";
    }
    // Every road (and one that is not drawn), every pair of roads.
    void Confronta(const char* passo) {
        std::vector<std::wstring> nomi = {L"Strada 99", L""};
        for (int k = 0; k <= kStrade; ++k) nomi.push_back(Strada(k));
        for (const std::wstring& n : nomi) {
            EXPECT_EQ(Cerca(n, true), Cerca(n, false)) << passo << ": " << vplat::WideToUtf8(n);
            for (const std::wstring& r : nomi)
                EXPECT_EQ(CercaId(n, r, true), CercaId(n, r, false))
                    << passo << ": " << vplat::WideToUtf8(n) << " / " << vplat::WideToUtf8(r);
        }
    }
    // A polyline of an intersection of two roads, near (x, y).
    AcDbObjectId Incrocio(const std::wstring& id, const wchar_t* codice, int principale, int ramo, double x,
                          double y) {
        return Polilinea({{x, y, 0}, {x + 4, y + 3, 0}},
                         acutBuildList(1001, kAppIntersezione, 1000, id.c_str(), 1000, codice, 1000, L"TR-P", 1000,
                                       Strada(principale).c_str(), 1000, L"TR-S", 1000, Strada(ramo).c_str(), 1000,
                                       L"DEFAULT", 1040, 1.5, RTNONE));
    }
    void Cancella(AcDbObjectId id, bool cancellare) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite, true), Acad::eOk);
        EXPECT_EQ(o->erase(cancellare), Acad::eOk);
        o->close();
    }
    // Roads side by side, every other one divided, each with a second right
    // shoulder nearer the reference point; intersections between neighbours,
    // two ids per pair at different distances, with stray polylines.
    std::vector<std::vector<AcDbObjectId>> Rete(int da, int a) {
        std::vector<std::vector<AcDbObjectId>> strade;
        for (int k = da; k < a; ++k) {
            roads::Strada s = roads::Rettilineo(Strada(k), {0, 40.0 * k, 0}, {200, 40.0 * k, 0});
            if (k % 2) s.semiIsola = 1.0;
            strade.push_back(Disegna(s));
            strade.back().push_back(Polilinea({{118, 40.0 * k - 6, 0}, {150, 40.0 * k - 6, 0}},
                                              Etichetta(L"bdx", Strada(k).c_str())));
            const std::wstring vicino = std::to_wstring(1000 + k), lontano = std::to_wstring(2000 + k);
            Incrocio(lontano, L"rCIG", k, k + 1, 80, 40.0 * k);
            Incrocio(vicino, L"rCE1", k, k + 1, 100, 40.0 * k);
            Incrocio(vicino, L"rCIG", k, k + 1, 30, 40.0 * k);
            Incrocio(lontano, L"rCE1", k, k + 1, 5, 40.0 * k);
            Polilinea({{0, 40.0 * k + 20, 0}, {10, 40.0 * k + 20, 0}}, nullptr);
        }
        return strade;
    }
};

TEST_F(IndiceStradeTest, IndexAndWalkChooseTheSameEdgesAndIds) {
    auto strade = Rete(0, kStrade);
    // Edges of no road and one whose kind is the last item.
    Polilinea({{100, -3, 0}, {140, -3, 0}}, Etichetta(L"CSX", L""));
    Polilinea({{100, 500, 0}, {140, 500, 0}}, acutBuildList(1001, roads::kAppPolilinee, 1000, L"CDX", RTNONE));
    ASSERT_TRUE(Cerca(Strada(1), true).esito);
    ASSERT_EQ(Cerca(Strada(1), true).candidati[CCigliBanchineMgr::kBDX].size(), 2u);
    ASSERT_EQ(CercaId(Strada(2), Strada(3), true), L"1002");
    Confronta("drawn");

    Rete(kStrade, kStrade + 1);
    Confronta("appended");

    // The only right edge of road 3, and the near drop island of 2 / 3.
    const AcDbObjectId cdx = strade[3][1];
    Cancella(cdx, true);
    vplat::UseSelectionIndexes(true);
    ads_name ss;
    const std::vector<AcDbObjectId> coppia =
        SetIds(vplat::SSGetTagged(L"POLYLINE", kAppIntersezione, {{Strada(2), Strada(3)}}, false, ss), ss);
    ASSERT_EQ(coppia.size(), 4u);
    const AcDbObjectId isola = coppia[2];
    Cancella(isola, true);
    EXPECT_FALSE(Cerca(Strada(3), true).esito);
    EXPECT_EQ(CercaId(Strada(2), Strada(3), true), L"2002");
    Confronta("erased");
    Cancella(cdx, false);
    Cancella(isola, false);
    Confronta("restored");

    // An edge moved to another road, an intersection to another pair, and an
    // edge whose data lost its texts: every lookup fails until it is mended.
    SetXDataOf(strade[4][4], Etichetta(L"BSX", Strada(5).c_str()));
    SetXDataOf(isola, acutBuildList(1001, kAppIntersezione, 1000, L"3001", 1000, L"rCIG", 1000, L"TR-P", 1000,
                                  Strada(7).c_str(), 1000, L"TR-S", 1000, Strada(8).c_str(), RTNONE));
    Confronta("changed");
    SetXDataOf(strade[6][2], acutBuildList(1001, roads::kAppPolilinee, 1070, 1, RTNONE));
    EXPECT_FALSE(Cerca(Strada(1), true).esito);
    Confronta("without texts");
    SetXDataOf(strade[6][2], Etichetta(L"CSX", Strada(6).c_str()));
    EXPECT_TRUE(Cerca(Strada(1), true).esito);

    // Saved and opened again: the index comes from the file.
    char nome[] = "/tmp/indice_strade_XXXXXX";
    const int fd = mkstemp(nome);
    ASSERT_GE(fd, 0);
    close(fd);
    const std::string file = std::string(nome) + ".dxf";
    std::rename(nome, file.c_str());
    ASSERT_EQ(m_db->dxfOut(vplat::Utf8ToWide(file).c_str()), Acad::eOk);
    ASSERT_EQ(m_db->dxfIn(vplat::Utf8ToWide(file).c_str()), Acad::eOk);
    std::remove(file.c_str());
    EXPECT_EQ(CercaId(Strada(7), Strada(8), true), L"3001");
    Confronta("reopened");
}

// Erasing by id erases every polyline whose id is that text exactly, whether
// the id is asked of the index or holds a character of a pattern.
TEST_F(IndiceStradeTest, ErasingByIdTakesThatIdExactly) {
    const AcDbObjectId uno = Incrocio(L"12", L"rCIG", 0, 1, 0, 0), due = Incrocio(L"12", L"rCE1", 0, 1, 5, 0);
    const AcDbObjectId altro = Incrocio(L"123", L"rCIG", 0, 1, 10, 0);
    const AcDbObjectId stella = Incrocio(L"1*", L"rCIG", 0, 1, 15, 0), lettera = Incrocio(L"a7", L"rCIG", 0, 1, 20, 0);
    struct Caso {
        const wchar_t* id;
        std::vector<AcDbObjectId> cancellati;
    };
    const Caso casi[] = {{L"12", {uno, due}}, {L"1*", {stella}}, {L"A7", {}}, {L"a7", {lettera}}, {L"9", {}}};
    for (const Caso& c : casi) {
        CCmdJunctor comando;
        comando.SetId(c.id);
        EXPECT_TRUE(comando.CancellaDaId());
        for (AcDbObjectId id : {uno, due, altro, stella, lettera}) {
            const bool atteso = std::find(c.cancellati.begin(), c.cancellati.end(), id) != c.cancellati.end();
            AcDbObject* o = nullptr;
            ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForRead, true), Acad::eOk);
            EXPECT_EQ(o->isErased(), atteso) << vplat::WideToUtf8(c.id);
            o->close();
            if (atteso) Cancella(id, false);
        }
    }
}

}  // namespace
