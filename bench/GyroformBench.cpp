// The 3D roundabout model recomputed and drawn, as the host does after
// reading a plan and after an edit, on a roundabout of six branches (radii
// 20 and 28, edges 40 beyond the ring, graded alignments), section spacing
// and surface step 1.0.
// - RicalcoloEDisegno: the whole computation (inizializzaCalcolo) and the
//   drawing into the block (disegna3D).
// - ModificaRamo: the recompute after an edit of one branch edge's vertex
//   points (ricalcola) and the drawing.
// - Esportazione/N: the export of the branches (esporta) of the model drawn
//   with the surface step 1/N (1, 0.1, 0.01): the alignments of the ring and
//   the six gaps with their profiles and cross slopes, one profile vertex
//   and one record for every station. The time should grow with N, not
//   faster.
// The set-up checks that two rounds leave the same entities in the block.
#include <benchmark/benchmark.h>

#include <arx.h>

#include <map>
#include <memory>
#include <string>

#include "CCiglio3D.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "Ombrix.h"
#include "RoundaboutScenarios.h"

namespace {

class Modello {
public:
    Modello() {
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        GyroformMain::avvia();
        std::vector<AcDbObjectId> ids = rotatorie::Disegna(rotatorie::SeiRami(), m_db.get());
        m_r = static_cast<CRotatoria3D*>(GyroformMain::getConstructor()->Alloca(TIPO_ROTATORIA3D));
        ZylEntityID cerchio(ids.at(0));
        m_letto = m_r->disegna(cerchio) == 1;
        m_r->setPassoSezioni(1.0);
        m_r->setPassoDiscr(1.0);
    }
    ~Modello() {
        IQvObject* o = m_r;
        GyroformMain::getConstructor()->Libera(&o);
        GyroformMain::ferma();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    explicit Modello(double passoDiscr) : Modello() { m_r->setPassoDiscr(passoDiscr); }
    CRotatoria3D* operator->() const { return m_r; }
    bool Letto() const { return m_letto; }

    // The block's entities by DXF type.
    std::map<std::wstring, double> Entita() const {
        std::map<std::wstring, double> n;
        for (const wchar_t* tipo : {L"3DFACE", L"LINE", L"TEXT", L"POLYLINE"}) {
            CADDatoArray sel, filtro;
            filtro.Add(5020, tipo);
            n[tipo] = Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, m_r->getBlocco());
        }
        return n;
    }
    void Contatori(benchmark::State& state) const {
        double sezioni = 0, stazioni = 0;
        for (IQvObject_GroupMember* m = m_r->getCigli()->GetFirstMember(); m; m = m->GetNext()) {
            auto* c = static_cast<CCiglio3D*>(m->GetObject());
            if (IQvObject_Group* g = c->getPunti(GRUPPO_CIGLIO)) sezioni += g->GetMemberCount();
            stazioni += c->getPunti3DCiglio()->GetCount();
        }
        std::map<std::wstring, double> n = Entita();
        state.counters["sezioni"] = sezioni;
        state.counters["stazioni"] = stazioni;
        state.counters["facce"] = n[L"3DFACE"];
        state.counters["linee"] = n[L"LINE"];
        state.counters["testi"] = n[L"TEXT"];
    }
    // The first branch edge of the first axis.
    CCiglio3D* Ramo() const { return static_cast<CCiglio3D*>(m_r->getCigli()->GetFirstMember()->GetNext()->GetNext()->GetObject()); }

private:
    std::unique_ptr<AcDbDatabase> m_db = std::make_unique<AcDbDatabase>();
    CRotatoria3D* m_r = nullptr;
    bool m_letto = false;
};

// Two rounds of the step leave the same entities in the block.
template <typename Passo>
bool Stabile(Modello& m, Passo passo) {
    passo();
    auto prima = m.Entita();
    passo();
    return m.Entita() == prima;
}

// Times one step after checking that it is stable.
template <typename Passo>
void Misura(benchmark::State& state, Modello& m, Passo passo) {
    if (!m.Letto() || !Stabile(m, passo)) {
        state.SkipWithError("the model was not read, or two rounds left different entities");
        return;
    }
    for (auto _ : state) passo();
    m.Contatori(state);
}

void RicalcoloEDisegno(benchmark::State& state) {
    Modello m;
    Misura(state, m, [&] {
        m->inizializzaCalcolo();
        m->disegna3D(nullptr);
    });
}

void ModificaRamo(benchmark::State& state) {
    Modello m;
    Misura(state, m, [&] {
        m->ricalcola(m.Ramo(), 1, TIPO_PUNTOVERTICE, nullptr, CDato());
        m->disegna3D(nullptr);
    });
}

void Esportazione(benchmark::State& state) {
    Modello m(1.0 / static_cast<double>(state.range(0)));
    if (!m.Letto() || !m->disegna3D(nullptr)) {
        state.SkipWithError("the model was not read or not drawn");
        return;
    }
    for (auto _ : state) m->esporta(Zyl_GePoint3d(500.0, 0.0, 0.0));
    m.Contatori(state);
}

}  // namespace

BENCHMARK(RicalcoloEDisegno)->Unit(benchmark::kMillisecond);
BENCHMARK(ModificaRamo)->Unit(benchmark::kMillisecond);
BENCHMARK(Esportazione)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
