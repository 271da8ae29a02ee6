// What the model tests share: a working drawing with the module's
// constructor started, a model built from a generated plan, and walks over
// the model's groups.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CCiglioAnello3D.h"
#include "CCiglioRamo3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "HostTranscript.h"
#include "ModelloDaPianta.h"
#include "RoundaboutScenarios.h"
#include "WinMessageBox.h"
#include "WorkingDrawing.h"

namespace modello {

// Objects made through the module's constructor, freed through it.
struct Libera {
    void operator()(IQvObject* o) const { GyroformMain::getConstructor()->Libera(&o); }
};
template <typename T>
using Ptr = std::unique_ptr<T, Libera>;

template <typename T>
Ptr<T> Nuovo(int tipo) {
    return Ptr<T>(static_cast<T*>(GyroformMain::getConstructor()->Alloca(tipo)));
}

// A straight polyline of two vertices.
inline datipoli* Retta(double x0, double y0, double x1, double y1) {
    datipoli *testa = nullptr, *coda = nullptr;
    ads_point a = {x0, y0, 0}, b = {x1, y1, 0};
    AggpuntoDATIPOLI(a, 0, &testa, &coda);
    AggpuntoDATIPOLI(b, 0, &testa, &coda);
    return testa;
}

// A ring edge of radius r about the origin through the roundabout, as the
// reading makes it: two half-circle arcs from (r, 0), counter-clockwise.
// Null when the roundabout refuses it.
inline CCiglio3D* CreaAnello(CRotatoria3D& r, const wchar_t* codice, double raggio) {
    CADDatoArray v, b;
    v.Add(0, raggio, 0.0, 0.0);
    v.Add(1, -raggio, 0.0, 0.0);
    v.Add(2, raggio, 0.0, 0.0);
    for (int i = 0; i < 3; ++i) b.Add(i, i < 2 ? 1.0 : 0.0);
    IQvObject* c = nullptr;
    return r.creaCiglio(&c, codice, nullptr, v, b) ? static_cast<CCiglio3D*>(c) : nullptr;
}

inline std::vector<IQvObject*> Membri(IQvObject_Group* g) {
    std::vector<IQvObject*> out;
    for (IQvObject_GroupMember* m = g ? g->GetFirstMember() : nullptr; m; m = m->GetNext()) out.push_back(m->GetObject());
    return out;
}

inline std::vector<CCiglio3D*> Cigli(CRotatoria3D& r) {
    std::vector<CCiglio3D*> out;
    for (IQvObject* o : Membri(r.getCigli())) out.push_back(static_cast<CCiglio3D*>(o));
    return out;
}

inline std::vector<CAsseRamo*> Assi(CRotatoria3D& r) {
    std::vector<CAsseRamo*> out;
    for (IQvObject* o : Membri(r.getAssi())) out.push_back(static_cast<CAsseRamo*>(o));
    return out;
}

inline std::vector<CPuntoNodo*> Nodi(CCiglio3D* c) {
    std::vector<CPuntoNodo*> out;
    for (IQvObject* o : Membri(c->getPunti(GRUPPO_NODO))) out.push_back(static_cast<CPuntoNodo*>(o));
    return out;
}

inline std::vector<std::wstring> Messaggi() {
    std::vector<std::wstring> out;
    for (const auto& m : vplat::MessageBoxes::All()) out.push_back(m.text);
    return out;
}

// The sample of three branches ("Rotatoria Sud").
inline rotatorie::Rotatoria TreRami() { return rotatorie::Campioni().front().rotatorie.front(); }

class ModelTest : public WorkingDrawingTest {
protected:
    void SetUp() override {
        WorkingDrawingTest::SetUp();
        GyroformMain::avvia();
        vplat::MessageBoxes::Clear();
        vplat::Transcript::Get().Clear();
        m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
    }
    void TearDown() override {
        m_rotatoria.reset();
        GyroformMain::ferma();
        WorkingDrawingTest::TearDown();
    }
    // Draws the plan and builds the model from it.
    int Costruisci(const rotatorie::Rotatoria& pianta, rotatorie::OpzioniModello opzioni = {}) {
        rotatorie::Disegna(pianta, m_db.get());
        return rotatorie::CostruisciModello(*m_rotatoria, pianta, opzioni);
    }
    CCiglio3D* Ciglio(int codice, const wchar_t* asse) {
        for (CCiglio3D* c : Cigli(*m_rotatoria))
            if (c->getCodiceEnum() == codice && (asse ? c->getAsseRamo() && c->getAsseRamo()->getNome() == asse
                                                      : c->getAsseRamo() == nullptr))
                return c;
        return nullptr;
    }

    Ptr<CRotatoria3D> m_rotatoria;
};

}  // namespace modello
