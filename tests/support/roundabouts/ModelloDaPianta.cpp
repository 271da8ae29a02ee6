#include "ModelloDaPianta.h"

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "GyroformConstructor.h"

namespace rotatorie {

namespace {

bool IsCodiceRamo(const std::wstring& k) { return k == L"rCEOut" || k == L"rCIOut" || k == L"rCIIn" || k == L"rCEIn"; }
bool IsCiglioStrada(const std::wstring& k) { return k == L"CDX" || k == L"CSX" || k == L"CIDX" || k == L"CISX"; }

template <typename T, typename F>
void PerOgni(IQvObject_Group* gruppo, F f) {
    if (!gruppo) return;
    for (IQvObject_GroupMember* m = gruppo->GetFirstMember(); m; m = m->GetNext()) f(static_cast<T*>(m->GetObject()));
}

datipoli* Lista(const Entita& e, double dx, double dy) {
    datipoli *testa = nullptr, *coda = nullptr;
    for (const auto& v : e.vertici) {
        ads_point p = {v.x - dx, v.y - dy, 0.0};
        AggpuntoDATIPOLI(p, e.tridimensionale ? 0.0 : v.bulge, &testa, &coda);
    }
    return testa;
}

}  // namespace

int CostruisciModello(CRotatoria3D& rotatoria, const Rotatoria& pianta, const OpzioniModello& opzioni) {
    std::vector<Entita> entita = EntitaDi(pianta);
    rotatoria.SetDato(CDato(DATO_ROTATORIA_PIANTA, pianta.nomePianta.c_str()));

    // The rings, from the circles.
    for (const Entita& e : entita) {
        if (e.tipo != Entita::Cerchio) continue;
        if (e.kind == L"aCInt") {
            rotatoria.SetDato(CDato(DATO_ROTATORIA_NOME, pianta.nome.c_str()));
            double centro[3] = {e.centro.x, e.centro.y, e.centro.z};
            rotatoria.setCentro(centro);
        }
        CADDatoArray vertici, bulge;
        vertici.Add(0, e.centro.x + e.raggio, e.centro.y, 0.0);
        vertici.Add(1, e.centro.x - e.raggio, e.centro.y, 0.0);
        vertici.Add(2, e.centro.x + e.raggio, e.centro.y, 0.0);
        bulge.Add(0, 1.0);
        bulge.Add(1, 1.0);
        bulge.Add(2, 0.0);
        if (!rotatoria.creaCiglio(nullptr, e.kind.c_str(), nullptr, vertici, bulge)) return 0;
    }

    // The branch edges with their axes.
    for (const Entita& e : entita) {
        if (e.tipo != Entita::Polilinea || !IsCodiceRamo(e.kind)) continue;
        const Ramo& ramo = pianta.rami.at(static_cast<size_t>(e.ramo));
        CAsseRamo* asse = rotatoria.trovaOCreaAsse(ramo.nome.c_str(), ramo.nomeInterno.c_str(), true,
                                                  ramo.versoUscente, -1.0);
        CADDatoArray vertici, bulge;
        for (size_t i = 0; i < e.vertici.size(); ++i) {
            vertici.Add(static_cast<int>(i), e.vertici[i].x, e.vertici[i].y, 0.0);
            bulge.Add(static_cast<int>(i), e.vertici[i].bulge);
        }
        rotatoria.creaCiglio(nullptr, e.kind.c_str(), asse, vertici, bulge);
    }

    if (opzioni.allineaAnelli) rotatoria.allineaInizioAnelli();

    // The road edges of every axis of their alignment, ring-centred.
    double centro[3];
    rotatoria.getCentro(centro);
    for (const Entita& e : entita) {
        if (e.tipo != Entita::Polilinea || !IsCiglioStrada(e.kind)) continue;
        const std::wstring& nome = pianta.rami.at(static_cast<size_t>(e.ramo)).nome;
        PerOgni<CAsseRamo>(rotatoria.getAssi(), [&](CAsseRamo* asse) {
            if (asse->getNome() != nome.c_str()) return;
            // Every road edge side code is one the axis keeps: the list is the axis's.
            asse->assegnaCiglioTracciato(e.kind.c_str(), Lista(e, centro[0], centro[1]));
        });
    }

    // Ring-centred from here on.
    Zyl_GeMatrix3d traslazione;
    traslazione.setTranslation(Zyl_GeVector3d(-centro[0], -centro[1], -centro[2]));
    PerOgni<CAsseRamo>(rotatoria.getAssi(), [&](CAsseRamo* asse) {
        asse->traslaPolilinea(traslazione);
        asse->leggiDatiProfilo();
    });

    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    IQvObject* scratch = costruttore->Alloca(29008);
    auto* incontro = static_cast<CPuntoNodo*>(scratch);
    CPuntoNodo* nodoSinistro = nullptr;
    int esito = 1;
    IQvObject_Group* cigli = rotatoria.getCigli();
    for (IQvObject_GroupMember* m = cigli ? cigli->GetFirstMember() : nullptr; m && esito; m = m->GetNext()) {
        auto* ciglio = static_cast<CCiglio3D*>(m->GetObject());
        ciglio->traslaPolilinea(traslazione);
        ciglio->creaGruppiPunti();
        esito = ciglio->calcolaGeometria(incontro, &nodoSinistro);
    }
    costruttore->Libera(&scratch);
    return esito;
}

}  // namespace rotatorie
