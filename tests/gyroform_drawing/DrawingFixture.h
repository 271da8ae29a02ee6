// What the 3D drawing tests share: a ring-only model read from a generated
// plan (rings, block, layers and plan polylines, nothing computed), flat
// profiles and ring cross-sections made by hand, and the block's entities.
#pragma once

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ICPROFILO_STRADALE.h"
#include "ModelFixture.h"
#include "Ombrix.h"

namespace disegno3d {

using namespace modello;

constexpr double kPi = 3.141592653589793;

// One entity of the block with the properties the drawing sets.
struct Ent {
    std::wstring layer;
    int colore = 0;
    std::vector<std::vector<double>> punti;  // 10, 11, 12, 13 as present; polyline vertices
    std::wstring testo;
    double altezza = 0, rotazione = 0;
    std::wstring handle;
};

inline std::vector<double> P(const CADDatoArray::CADDato& d) {
    double p[3];
    d.GetPunto(p);
    return {p[0], p[1], p[2]};
}

class DrawingTest : public ModelTest {
protected:
    // The plan of a roundabout without branches: its reading makes the rings,
    // the block, the layers and the plan polylines, then stops (no branch).
    void AnelloSolo(double interno = 15.0, double esterno = 25.0) {
        rotatorie::Rotatoria p;
        p.nomePianta = L"P1";
        p.nome = L"ROT1";
        p.centro = {100, 200, 0};
        p.raggioInterno = interno;
        p.raggioEsterno = esterno;
        std::vector<AcDbObjectId> ids = rotatorie::Disegna(p, m_db.get());
        ZylEntityID cerchio(ids.at(0));
        ASSERT_EQ(m_rotatoria->disegna(cerchio), -1);
        vplat::MessageBoxes::Clear();
        m_interno = Ciglio(CIGLIO_ANELLO_INTERNO, nullptr);
        m_esterno = Ciglio(CIGLIO_ANELLO_ESTERNO, nullptr);
        ASSERT_TRUE(m_interno && m_esterno);
    }

    // A generated plan drawn and read, which computes the model: 1 when read.
    int Leggi(const rotatorie::Rotatoria& pianta) {
        m_ids = rotatorie::Disegna(pianta, m_db.get());
        ZylEntityID cerchio(m_ids.at(0));
        int esito = m_rotatoria->disegna(cerchio);
        m_interno = Ciglio(CIGLIO_ANELLO_INTERNO, nullptr);
        m_esterno = Ciglio(CIGLIO_ANELLO_ESTERNO, nullptr);
        return esito;
    }

    // Elevation z by profile from chainage da to a.
    static void ProfiloPiatto(CCiglio3D* c, double z, double da, double a) {
        double v0[2] = {da, z}, v1[2] = {a, z};
        c->inserisciVerticeProfilo(v0);
        c->inserisciVerticeProfilo(v1);
        auto* profilo = dynamic_cast<ICPROFILO_STRADALE*>(c->getProfiloAltimetrico());
        ASSERT_TRUE(profilo);
        ASSERT_EQ(profilo->calcola(), 1);
        c->setTipoCalcolo(8);
    }

    // A ring cross-section at each fraction: the inner ring's point linked
    // to the outer ring's point.
    void SezioniAnello(const std::vector<double>& frazioni) {
        for (double f : frazioni) {
            double a = 2 * kPi * f;
            double pi[2] = {15 * std::cos(a), 15 * std::sin(a)}, pe[2] = {25 * std::cos(a), 25 * std::sin(a)};
            CPuntoSezione* si = m_interno->creaPuntoSezione(f, f, 1, pi);
            CPuntoSezione* se = m_esterno->creaPuntoSezione(f, f, 1, pe);
            ASSERT_TRUE(si && se);
            si->setSuccessivo(se);
            se->setPrecedente(si);
        }
    }
    static std::vector<double> Frazioni(int n) {
        std::vector<double> f;
        for (int k = 0; k < n; ++k) f.push_back(static_cast<double>(k) / n);
        return f;
    }

    // Flat rings at 52.0 (outer) and 51.85 (inner), eight cross-sections.
    void AnelloPiatto() {
        AnelloSolo();
        ProfiloPiatto(m_esterno, 52.0, 0.0, m_esterno->getLunghezza());
        ProfiloPiatto(m_interno, 51.85, 0.0, m_interno->getLunghezza());
        SezioniAnello(Frazioni(8));
    }

    // The block's entities of a DXF type, in creation order.
    std::vector<Ent> Entita(const wchar_t* tipo) {
        return EntitaIn(m_rotatoria->getBlocco(), tipo);
    }
    static std::vector<Ent> EntitaIn(const ZylBlockID& blocco, const wchar_t* tipo) {
        CADDatoArray sel, filtro;
        filtro.Add(5020, tipo);
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, blocco);
        std::vector<Ent> out;
        for (int i = 0; i < sel.GetCount(); ++i) {
            ZylEntityID e = sel[i].GetEntityID();
            Ent x;
            x.handle = e.GetHandle();
            for (int codice : {8, 62, 10, 11, 12, 13, 1, 40, 50}) {
                CADDatoArray d;
                d.AddRichiesta(codice);
                if (!e.GetDati(d) || d[0].GetTipo() == CADDatoArray::Richiesta) continue;
                switch (codice) {
                    case 8: x.layer = d[0].GetStringa(); break;
                    case 62: x.colore = d[0].GetInt(); break;
                    case 1: x.testo = d[0].GetStringa(); break;
                    case 40: x.altezza = d[0].GetDouble(); break;
                    case 50: x.rotazione = d[0].GetDouble(); break;
                    case 10:
                        if (d[0].GetTipo() == CADDatoArray::Array) {
                            const CADDatoArray& v = *d[0].GetArray();
                            for (int k = 0; k < v.GetCount(); ++k) x.punti.push_back(P(v[k]));
                            break;
                        }
                        [[fallthrough]];
                    default: x.punti.push_back(P(d[0])); break;
                }
            }
            out.push_back(x);
        }
        return out;
    }

    // Entity count by DXF type and layer.
    std::map<std::pair<std::wstring, std::wstring>, size_t> Conteggi() {
        std::map<std::pair<std::wstring, std::wstring>, size_t> out;
        for (const wchar_t* tipo : {L"LINE", L"TEXT", L"3DFACE", L"POLYLINE"})
            for (const Ent& e : Entita(tipo)) ++out[{tipo, e.layer}];
        return out;
    }

    // The block references of model space.
    std::vector<ZylBlockRefID> Riferimenti() {
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"INSERT");
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro);
        std::vector<ZylBlockRefID> out;
        for (int i = 0; i < sel.GetCount(); ++i) out.emplace_back(sel[i].GetEntityID());
        return out;
    }

    static std::vector<std::vector<double>> Riga(CCiglio3D* c) {
        std::vector<std::vector<double>> out;
        const CADDatoArray& r = *c->getPunti3DCiglio();
        for (int i = 0; i < r.GetCount(); ++i) out.push_back(P(r[i]));
        return out;
    }

    std::vector<AcDbObjectId> m_ids;
    CCiglio3D* m_interno = nullptr;
    CCiglio3D* m_esterno = nullptr;
};

}  // namespace disegno3d
