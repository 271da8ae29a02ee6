// What the export tests share: a model read from a generated plan, the
// alignments and the tagged entities of the drawing after an export.
#pragma once

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "CercaTracciati.h"
#include "ICTRACCIATO.h"
#include "ModelFixture.h"
#include "Ombrix.h"

namespace esportazione {

using namespace modello;

constexpr const wchar_t* kApp = L"QV-VORTANA-INTERS-ROT_3D_EXP";

// An alignment of the drawing, read back.
struct Tracciato {
    std::wstring nome, nomeInterno;
    int tipo = 0;  // property 22404
    double lunghezza = 0.0;  // property 22155
    std::vector<datipoli> vertici;  // world coordinates, next cleared
    std::vector<std::vector<double>> pendenze;  // per record: chainage, 22004, 22005
};

// An entity carrying the export's data.
struct Etichettato {
    ZylEntityID id;
    int tipo;
    std::wstring pianta, nome;  // values of keys 2 and 1
    Zyl_GePoint3d minimo, massimo;  // extents
    // A sheet's insertion point.
    Zyl_GePoint3d Base() const {
        CADDatoArray d;
        d.AddRichiesta(10);
        double p[3] = {0, 0, 0};
        if (id.GetDati(d)) d[0].GetPunto(p);
        return Zyl_GePoint3d(p[0], p[1], p[2]);
    }
};

// A plan of branches at those directions (degrees), each with a graded
// profile and one cross-slope record; ring centre (200, 100).
inline rotatorie::Rotatoria Pianta(const wchar_t* nome, std::vector<std::pair<const wchar_t*, double>> rami) {
    rotatorie::Rotatoria r;
    r.nomePianta = std::wstring(L"PR-") + nome;
    r.nome = nome;
    r.centro = {200, 100, 0};
    for (auto [ramo, gradi] : rami) {
        rotatorie::Ramo x;
        x.nome = ramo;
        x.nomeInterno = std::wstring(L"TRR") + ramo;
        x.angolo = gradi * std::acos(-1.0) / 180.0;
        x.profilo = {{0.0, 50.0}, {x.lunghezzaTracciato, 51.0}};
        x.lista1500 = {{0.0, -2.5, -2.5}};
        r.rami.push_back(x);
    }
    return r;
}

inline std::wstring W(const CString& s) { return s.IsEmpty() ? std::wstring() : std::wstring(s.GetString()); }

class ExportTest : public ModelTest {
public:
    // Draws the plan and reads it into the model through its first entity
    // (the inner circle), as the host does.
    int Leggi(const rotatorie::Rotatoria& pianta) {
        std::vector<AcDbObjectId> ids = rotatorie::Disegna(pianta, m_db.get());
        ZylEntityID e(ids.front());
        return m_rotatoria->disegna(e);
    }
    int Esporta(double x = 0.0, double y = 0.0) { return m_rotatoria->esporta(Zyl_GePoint3d(x, y, 0.0)); }

    // A vertex point of an edge at a chainage.
    static void Vertice(CCiglio3D* c, double prog, double quota, double raggio = 0.0, int raccordo = 0) {
        auto* v = static_cast<CPuntoVertice*>(GyroformMain::getConstructor()->Alloca(29004));
        double p[3] = {0, 0, 0};
        v->imposta(c, 0.0, prog / c->getLunghezza(), 0, p);
        v->setQuota(quota);
        v->setRaggio(raggio);
        v->setTipoRaccordo(raccordo);
        c->getPunti(8)->Append(v);
    }
    // Profile data as a drawing leaves them: every branch edge a vertex at
    // each end, the rings an elevation row by profile every 10.
    void Profili() {
        int k = 0;
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            ++k;
            if (c->getCodiceEnum() >= 3000) {
                Vertice(c, 0.0, 100.0 + k);
                Vertice(c, c->getLunghezza(), 101.0 + k);
                continue;
            }
            c->setTipoCalcolo(8);
            CADDatoArray* riga = c->getPuntiAltCiglio(29004);
            riga->Clear();
            int indice = 0;
            for (double prog = 0.0; prog < c->getLunghezza(); prog += 10.0) riga->Add(++indice, prog, 100.0 + prog / 100.0, 0.0);
            riga->Add(++indice, c->getLunghezza(), 100.0, 0.0);
        }
    }
    // The tagged entities of one kind.
    static std::vector<Etichettato> Etichettati(int tipo) {
        std::vector<Etichettato> out;
        for (const Etichettato& e : Etichettati())
            if (e.tipo == tipo) out.push_back(e);
        return out;
    }

    static std::vector<Tracciato> Tracciati() {
        std::vector<Tracciato> out;
        elencotracciati* lista = nullptr;
        CercaTracciatiEx2(&lista, 1);
        // The list lasts until the next search, which the reading makes.
        for (elencotracciati* n = lista; n; n = n->next) out.push_back({W(n->nome), W(n->nomeInterno), 0, 0.0, {}, {}});
        for (Tracciato& t : out) {
            ICTRACCIATO* o = nullptr;
            if (GetTracciatoByNomeInterno(&o, t.nomeInterno.c_str(), nullptr) && o) {
                t.tipo = o->GetDato(22404).GetInt();
                t.lunghezza = o->GetDato(22155).GetDouble();
                for (const datipoli* v = o->getDatiPoli(); v; v = v->next) {
                    t.vertici.push_back(*v);
                    t.vertici.back().next = nullptr;
                }
                ICLISTADATI* l = o->getListaDati(1500);
                for (ICELEMENTODATI* e = l->getPrimo(); e; e = l->getSuccessivo(e))
                    t.pendenze.push_back({e->getProgressiva(), e->GetDato(22004).GetDouble(), e->GetDato(22005).GetDouble()});
                ICTRACCIATO_Costructor::Libera(&o, 1);
            }
        }
        return out;
    }
    // The entities tagged by the export, in creation order.
    static std::vector<Etichettato> Etichettati() {
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"*");
        filtro.Add(1001, kApp);
        Ombrix::GetEntityUtils()->Seleziona(sel, L"_X", filtro);
        std::vector<Etichettato> out;
        for (int i = 0; i < sel.GetCount(); ++i) {
            Etichettato e{sel[i].GetEntityID(), 0, {}, {}, {}, {}};
            e.tipo = e.id.GetTipo();
            e.id.GetEstensione(e.minimo, e.massimo);
            CADDatoArray d;
            e.id.GetDatiEstesi(d);
            for (int j = 0; j + 1 < d.GetCount(); ++j) {
                if (d[j].GetCodice() != 1071 || d[j + 1].GetCodice() != 1000) continue;
                (d[j].GetInt() == 2 ? e.pianta : e.nome) = d[j + 1].GetStringa();
            }
            out.push_back(e);
        }
        return out;
    }
};

}  // namespace esportazione
