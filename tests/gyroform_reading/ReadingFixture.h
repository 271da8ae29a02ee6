// What the reading tests share: the plan drawn into the working drawing with
// its entity ids, and what the model's block holds.
#pragma once

#include "ModelFixture.h"
#include "Ombrix.h"

namespace lettura {

using namespace modello;

class ReadingTest : public ModelTest {
protected:
    // Draws the plan; the ids in the generator's entity order.
    std::vector<AcDbObjectId> Disegna(const rotatorie::Rotatoria& pianta) {
        std::vector<AcDbObjectId> ids = rotatorie::Disegna(pianta, m_db.get());
        m_ids.insert(m_ids.end(), ids.begin(), ids.end());
        return ids;
    }
    int Leggi(CRotatoria3D& r, AcDbObjectId id) {
        ZylEntityID e(id);
        return r.disegna(e);
    }
    // The polylines of a block, each with its extended data.
    struct Polilinea {
        ZylPolylineID id;
        CADDatoArray dati;
    };
    std::vector<Polilinea> Polilinee(const ZylBlockID& blocco) {
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"POLYLINE");
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, blocco);
        std::vector<Polilinea> out;
        for (int i = 0; i < sel.GetCount(); ++i) {
            Polilinea p{ZylPolylineID(sel[i].GetEntityID()), {}};
            p.id.GetDatiEstesi(p.dati);
            out.push_back(p);
        }
        return out;
    }
    size_t Blocchi() {
        AcDbBlockTable* t = nullptr;
        m_db->getBlockTable(t, AcDb::kForRead);
        size_t n = t->recordIds().size();
        t->close();
        return n;
    }
    std::vector<int> Codici(CRotatoria3D& r) {
        std::vector<int> out;
        for (CCiglio3D* c : Cigli(r)) out.push_back(c->getCodiceEnum());
        return out;
    }
    static std::vector<int> CodiciTreRami() {
        std::vector<int> v = {1000, 2000};
        for (int i = 0; i < 3; ++i) v.insert(v.end(), {3000, 4000, 5000, 6000});
        return v;
    }

    std::vector<AcDbObjectId> m_ids;
};

}  // namespace lettura
