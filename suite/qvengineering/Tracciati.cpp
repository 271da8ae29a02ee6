#include "Tracciati.h"

#include <set>

#include "IQvObject.h"

namespace {
std::set<tracciato*>& Vivi() {
    static std::set<tracciato*> vivi;
    return vivi;
}
}  // namespace

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
