#include "AsseRamo.h"

#include <cwchar>

#include "Inoltro.h"

AsseRamo::AsseRamo(ICAsseRamo* obj) : QvObjectMgd(obj) {}

ICAsseRamo* AsseRamo::getPtr() { return static_cast<ICAsseRamo*>(_qvObj); }

GF_METODI_ASSERAMO(GF_CORPO_N, GF_NIENTE, GF_NIENTE)

// The names in order; the native result is not looked at.
ArrayList AsseRamo::getProfili() {
    CADDatoArray profili;
    static_cast<ICAsseRamo*>(Nativo())->getProfili(profili);
    ArrayList nomi;
    for (int i = 0; i < profili.GetCount(); ++i) nomi.push_back(profili[i].GetStringa());
    return nomi;
}

// The native profile name holds 499 characters and its terminator. A longer
// name is refused (answer 0, the name unchanged): cutting it would silently
// choose another profile.
int AsseRamo::setProfilo(std::wstring layerName) {
    constexpr size_t capacita = 500;
    ICAsseRamo* asse = static_cast<ICAsseRamo*>(Nativo());
    if (layerName.size() >= capacita) return 0;
    wchar_t* convertito = QvConvertMgd::StringToUnmanaged(layerName);
    wchar_t nome[capacita];
    std::wcsncpy(nome, convertito, capacita - 1);
    nome[capacita - 1] = L'\0';
    QvConvertMgd::FreeUnmanaged(convertito);
    return asse->setProfilo(nome);
}
