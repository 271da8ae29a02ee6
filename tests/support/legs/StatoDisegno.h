// What a leg leaves in the working drawing, in a form two states can be
// compared by: the intersection polylines in a fixed order, and the lane
// records of an alignment.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <arx.h>

#include "PolilineeIntersezione.h"
#include "QvEngineering.h"

namespace stato {

struct Polilinea {
    std::wstring layer;
    std::vector<std::wstring> dati;
    std::vector<std::tuple<double, double, double>> vertici;
    bool operator==(const Polilinea&) const = default;
    bool operator<(const Polilinea& o) const { return dati < o.dati || (dati == o.dati && vertici < o.vertici); }
};

inline std::vector<Polilinea> PolilineeIntersezione() {
    std::vector<Polilinea> out;
    for (const legs::PolilineaIntersezione& p : legs::PolilineeIntersezione()) {
        Polilinea q{p.layer, p.dati, {}};
        for (const auto& v : p.vertici) q.vertici.emplace_back(v.x, v.y, v.bulge);
        out.push_back(std::move(q));
    }
    std::sort(out.begin(), out.end());
    return out;
}

// One lane record: list, chainage, flags and its data as text.
using Record = std::tuple<int, double, unsigned long, std::map<int, std::wstring>>;

inline std::vector<Record> RecordCorsie(AcDbObjectId asse) {
    std::vector<Record> out;
    tracciato* record = nullptr;
    if (!GetTracciato(asse, &record)) return out;
    ICTRACCIATO* t = ICTRACCIATO_Costructor::Alloca(record, asse);
    if (!t) {
        LiberaTracciato(&record);
        return out;
    }
    for (int codice : {1511, 1512, 1513, 1514, 1515}) {
        ICLISTADATI* lista = t->getListaDati(codice);
        for (ICELEMENTODATI* e = lista->getPrimo(); e; e = lista->getSuccessivo(e)) {
            std::map<int, std::wstring> dati;
            for (const auto& [id, dato] : e->Dati()) dati[id] = std::wstring(dato.GetString());
            out.emplace_back(codice, e->getProgressiva(), e->getBitDato().GetValore(), dati);
        }
    }
    ICTRACCIATO_Costructor::Libera(&t, 1);
    return out;
}

}  // namespace stato
