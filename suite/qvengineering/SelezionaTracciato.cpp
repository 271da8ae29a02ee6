#include "SelezionaTracciato.h"

#include <cwchar>

#include "AcDbAds.h"
#include "CercaTracciati.h"
#include "HostScript.h"
#include "HostTranscript.h"

int SelezionaTraEx2(ACHAR* nome, ads_name entita, ACHAR*, ACHAR*, const ACHAR* prompt, tracciato** record, int,
                    int) {
    if (record) *record = nullptr;
    std::wstring p = prompt ? prompt : L"";
    vplat::Transcript::Get().CommandLine(p);
    std::optional<std::wstring> risposta = vplat::Script::Get().Take(L"tracciato", p);
    if (!risposta || *risposta == L"<cancel>" || risposta->empty() || *risposta == L"<enter>") {
        vplat::Transcript::Get().Answer(L"*Cancel*");
        return 0;
    }
    vplat::Transcript::Get().Answer(*risposta);
    elencotracciati* l = nullptr;
    CercaTracciatiEx2(&l, 1);
    for (; l; l = l->next) {
        if (l->nome != risposta->c_str()) continue;
        AcDbObjectId id;
        tracciato* r = nullptr;
        if (acdbGetObjectId(id, l->entita) != Acad::eOk || !GetTracciato(id, &r)) return 0;
        if (nome) {
            std::wcsncpy(nome, l->nome, 255);
            nome[255] = L'\0';
        }
        if (entita) {
            entita[0] = l->entita[0];
            entita[1] = l->entita[1];
        }
        if (record)
            *record = r;
        else
            LiberaTracciato(&r);
        return 1;
    }
    vplat::Script::Get().Mismatch(L"no alignment named " + *risposta);
    return 0;
}
