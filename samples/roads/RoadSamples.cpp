// Writes the road scenarios as JSON (layers, polylines with their bulges and
// extended data) for make_road_samples.py, which turns them into DXF files.
#include <cstdio>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "HostText.h"
#include "RoadScenarios.h"

namespace {

std::string Utf8(const std::wstring& s) { return vplat::WideToUtf8(s); }

nlohmann::json DatiEstesi(const resbuf* rb) {
    nlohmann::json out = nlohmann::json::array();
    for (; rb; rb = rb->rbnext) {
        switch (vplat::ValueKindOf(rb->restype)) {
            case vplat::RbValue::String: out.push_back({rb->restype, Utf8(rb->resval.rstring)}); break;
            case vplat::RbValue::Real: out.push_back({rb->restype, rb->resval.rreal}); break;
            case vplat::RbValue::Short: out.push_back({rb->restype, rb->resval.rint}); break;
            case vplat::RbValue::Long: out.push_back({rb->restype, rb->resval.rlong}); break;
            case vplat::RbValue::Point:
                out.push_back({rb->restype, {rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]}});
                break;
            default: break;
        }
    }
    return out;
}

}  // namespace

int main() {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& sc : roads::Scenari()) {
        nlohmann::json disegno{{"file", sc.file}, {"descrizione", Utf8(sc.descrizione)}};
        nlohmann::json polilinee = nlohmann::json::array();
        for (const auto& strada : sc.strade) {
            for (const auto& p : roads::PolilineeDi(strada)) {
                nlohmann::json vertici = nlohmann::json::array();
                for (const auto& v : p.vertici) vertici.push_back({v.x, v.y, v.bulge});
                polilinee.push_back({{"layer", Utf8(p.layer)},
                                     {"vertici", vertici},
                                     {"dati_estesi", DatiEstesi(p.datiEstesi.get())}});
            }
        }
        disegno["polilinee"] = polilinee;
        out.push_back(disegno);
    }
    std::cout << out.dump(1) << "\n";
    return 0;
}
