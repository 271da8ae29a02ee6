#include "CercaTracciati.h"

#include "AcDbAds.h"
#include "AcDbDatabase.h"
#include "AcEdSelection.h"
#include "ICTRACCIATO.h"
#include "TracciatoDatiEstesi.h"

namespace {

// The list handed out last; freed when the next one is made.
struct Elenco {
    elencotracciati* testa = nullptr;
    void Libera() {
        while (testa) {
            elencotracciati* dopo = testa->next;
            delete testa;
            testa = dopo;
        }
    }
    ~Elenco() { Libera(); }
};
Elenco& Ultimo() {
    static Elenco e;
    return e;
}

}  // namespace

int CercaTracciatiEx2(elencotracciati** lista, int /*modo*/) {
    Ultimo().Libera();
    if (lista) *lista = nullptr;
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", -3, 1001, vplat::kAppTracciato, RTNONE);
    ads_name ss;
    int esito = acedSSGet(L"_X", nullptr, nullptr, filtro, ss);
    acutRelRb(filtro);
    if (esito != RTNORM) return 0;
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    elencotracciati** coda = &Ultimo().testa;
    int numero = 0;
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name ent;
        AcDbObjectId id;
        tracciato* r = nullptr;
        if (acedSSName(ss, i, ent) != RTNORM || acdbGetObjectId(id, ent) != Acad::eOk || !GetTracciato(id, &r))
            continue;
        *coda = new elencotracciati{{ent[0], ent[1]}, r->nome, r->nomeInterno, nullptr};
        coda = &(*coda)->next;
        ++numero;
        LiberaTracciato(&r);
    }
    acedSSFree(ss);
    if (lista) *lista = Ultimo().testa;
    return numero;
}

int GetTracciatoByNomeInterno(ICTRACCIATO** tracciato, const wchar_t* nomeInterno, AcDbDatabase* database) {
    if (!tracciato || !nomeInterno) return 0;
    *tracciato = nullptr;
    if (database && database != acdbHostApplicationServices()->workingDatabase()) return 0;
    elencotracciati* l = nullptr;
    CercaTracciatiEx2(&l, 1);
    for (; l; l = l->next) {
        if (l->nomeInterno != nomeInterno) continue;
        AcDbObjectId id;
        ::tracciato* r = nullptr;
        if (acdbGetObjectId(id, l->entita) != Acad::eOk || !GetTracciato(id, &r)) return 0;
        *tracciato = ICTRACCIATO_Costructor::Alloca(r, id);
        if (!*tracciato) LiberaTracciato(&r);
        return *tracciato ? 1 : 0;
    }
    return 0;
}
