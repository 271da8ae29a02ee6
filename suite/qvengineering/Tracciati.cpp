#include "Tracciati.h"

#include <set>

#include "AcDbAds.h"
#include "DatiEstesi.h"
#include "IQvObject.h"
#include "TracciatoDatiEstesi.h"

namespace {
std::set<tracciato*>& Vivi() {
    static std::set<tracciato*> vivi;
    return vivi;
}
}  // namespace

int GetTracciato(AcDbObjectId entita, tracciato** record) {
    if (!record) return 0;
    *record = nullptr;
    resbuf* dati = LeggiDatiEstesi(entita, vplat::kAppTracciato);
    // The internal name follows the application name; the name is property 22400.
    if (!dati || !dati->rbnext || dati->rbnext->restype != 1000) {
        acutRelRb(dati);
        return 0;
    }
    CString nomeInterno = dati->rbnext->resval.rstring;
    CString nome;
    for (resbuf* rb = dati->rbnext; rb && rb->restype != 1002; rb = rb->rbnext)
        if (rb->restype == 1071 && rb->resval.rlong == 22400 && rb->rbnext && rb->rbnext->restype == 1000) {
            nome = rb->rbnext->resval.rstring;
            break;
        }
    acutRelRb(dati);
    ads_name n;
    if (acdbGetAdsName(n, entita) != Acad::eOk) return 0;
    *record = vplat::NuovoTracciato(n, nome, nomeInterno);
    return 1;
}

CString CTRACCIATO::getNomeInterno(const tracciato* record) { return record ? record->nomeInterno : CString(); }

void LiberaTracciato(tracciato** record) {
    if (!record) return;
    tracciato* r = *record;
    *record = nullptr;
    if (!r || !Vivi().count(r) || r->adottato) return;
    Vivi().erase(r);
    delete r;
}

int qv_isA(const IQvObject* oggetto) { return oggetto ? oggetto->GetTipo() : 0; }

namespace vplat {

tracciato* NuovoTracciato(const ads_name entita, const CString& nome, const CString& nomeInterno) {
    auto* r = new tracciato{{entita[0], entita[1]}, nome, nomeInterno, false};
    Vivi().insert(r);
    return r;
}

void AdottaTracciato(tracciato* record) {
    if (record && Vivi().count(record)) record->adottato = true;
}

void LiberaTracciatoAdottato(tracciato* record) {
    if (!record || !Vivi().count(record)) return;
    Vivi().erase(record);
    delete record;
}

}  // namespace vplat
