#include "IQvObjectSelector.h"

#include "AcDbAds.h"
#include "AcEdSelection.h"
#include "HostTranscript.h"
#include "ICTRACCIATO.h"
#include "Tracciati.h"

ZylEntityID IQvObject_Selector::SelIQvObject(int tipo, ads_point punto, IQvObject** oggetto, const ACHAR* prompt,
                                             int /*modo*/, void* /*riservato*/) {
    if (oggetto) *oggetto = nullptr;
    ads_name nome;
    ads_point p = {0, 0, 0};
    if (acedEntSel(prompt, nome, p) != RTNORM) return ZylEntityID();
    AcDbObjectId id;
    tracciato* record = nullptr;
    ICTRACCIATO* t = nullptr;
    if (tipo == QV_SELEZIONE_TRACCIATO && acdbGetObjectId(id, nome) == Acad::eOk && GetTracciato(id, &record)) {
        t = ICTRACCIATO_Costructor::Alloca(record, id);
        if (!t) LiberaTracciato(&record);
    }
    if (!t) {
        vplat::Transcript::Get().CommandLine(L"*Invalid selection*\n");
        return ZylEntityID();
    }
    if (punto) punto[0] = p[0], punto[1] = p[1], punto[2] = p[2];
    if (oggetto) *oggetto = t;
    else delete t;
    return ZylEntityID(id);
}
