#include "ICQvLorvent.h"

#include <windows.h>

#include <algorithm>
#include <clocale>
#include <cwchar>
#include <locale>
#include <sstream>

#include "HostText.h"
#include "HostTranscript.h"

namespace {

std::wstring& FileProgetto() {
    static std::wstring file;
    return file;
}

// The text as a number in the C locale, the whole text and nothing else.
bool Numero(const std::wstring& testo, double* valore) {
    std::wistringstream in(testo);
    in.imbue(std::locale::classic());
    in >> *valore;
    if (in.fail()) return false;
    in >> std::ws;
    return in.eof();
}

class Lorvent : public ICQvLorvent {
public:
    int GetFileImpostazioni(wchar_t* buffer, int dimensione) override {
        if (!buffer || dimensione <= 0) return 0;
        const std::wstring& file = FileProgetto();
        size_t n = std::min(file.size(), static_cast<size_t>(dimensione - 1));
        std::wmemcpy(buffer, file.c_str(), n);
        buffer[n] = L'\0';
        return file.empty() ? 0 : 1;
    }

    int GetImpostazione(const wchar_t* chiave, CADDatoArray& valore) override {
        const std::wstring& file = FileProgetto();
        if (!chiave || !*chiave || file.empty()) return 0;
        // A default that no setting can hold tells a missing key from an empty one.
        const wchar_t* assente = L"\x01";
        wchar_t testo[1024];
        GetPrivateProfileStringW(L"IMPOSTAZIONI", chiave, assente, testo, 1024, file.c_str());
        if (std::wcscmp(testo, assente) == 0) return 0;
        double numero = 0;
        if (Numero(testo, &numero)) valore.Add(1040, numero);
        else valore.Add(1000, testo);
        return 1;
    }

    void DisegnoLayer(bool inCorso, const wchar_t* prefisso) override {
        vplat::Transcript::Get().Event("lorvent", std::wstring(L"disegno ") + (inCorso ? L"1 " : L"0 ") +
                                                      (prefisso ? prefisso : L""));
    }

    void LayerEsportati(const wchar_t* prefisso) override {
        vplat::Transcript::Get().Event("lorvent", std::wstring(L"esportati ") + (prefisso ? prefisso : L""));
    }
};

}  // namespace

ICQvLorvent* getLorvent() {
    static Lorvent lorvent;
    return &lorvent;
}

void vplat::SetProjectFile(const std::string& path) { FileProgetto() = path.empty() ? L"" : ToWindowsPath(path); }
