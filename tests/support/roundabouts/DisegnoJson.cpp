#include "DisegnoJson.h"

#include "HostText.h"

namespace rotatorie {

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

std::vector<Entita> EntitaDi(const roads::Strada& strada) {
    std::vector<Entita> out;
    for (roads::Polilinea& p : roads::PolilineeDi(strada)) {
        Entita e;
        e.layer = p.layer;
        e.kind = p.kind;
        e.vertici = p.vertici;
        e.datiEstesi = std::move(p.datiEstesi);
        out.push_back(std::move(e));
    }
    return out;
}

nlohmann::json Json(const std::string& file, const std::wstring& descrizione, const std::vector<Entita>& entita) {
    nlohmann::json lista = nlohmann::json::array();
    for (const Entita& e : entita) {
        nlohmann::json j{{"tipo", e.tipo == Entita::Cerchio ? "CIRCLE" : "POLYLINE"},
                         {"layer", Utf8(e.layer)},
                         {"3d", e.tridimensionale}};
        if (e.tipo == Entita::Cerchio) {
            j["centro"] = {e.centro.x, e.centro.y, e.centro.z};
            j["raggio"] = e.raggio;
        } else {
            nlohmann::json vertici = nlohmann::json::array();
            for (const auto& v : e.vertici) vertici.push_back({v.x, v.y, v.bulge});
            j["vertici"] = vertici;
        }
        j["dati_estesi"] = DatiEstesi(e.datiEstesi.get());
        lista.push_back(j);
    }
    return {{"file", file}, {"descrizione", Utf8(descrizione)}, {"entita", lista}};
}

}  // namespace rotatorie
