// A working drawing with generated roads, on which the intersection command
// runs in-process. The main dialog's passes are played by the test: each
// pass is a function that may change the command's legs and answers the
// dialog's result.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CCmdJunctor.h"
#include "CJunctorSettings.h"
#include "DrawingDump.h"
#include "HostScript.h"
#include "HostTranscript.h"
#include "Resource.h"
#include "RoadGenerator.h"
#include "StatoDisegno.h"
#include "WinClock.h"
#include "WinInput.h"
#include "WinMessageBox.h"
#include "WorkingDrawing.h"

namespace comando {

// UTF-8 of a text, for messages.
inline std::string U8(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) {
        const auto u = static_cast<unsigned>(c);
        if (u < 0x80) {
            s += static_cast<char>(u);
        } else if (u < 0x800) {
            s += static_cast<char>(0xC0 | (u >> 6));
            s += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            s += static_cast<char>(0xE0 | (u >> 12));
            s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return s;
}

struct Passo {
    INT_PTR esito;  // IDOK or IDCANCEL
    int codice;     // 0 cancel, 1 build, 2 select roads, 3 preview
    std::function<void(CCmdJunctor&, CJunctorSettings&)> azione = nullptr;
};

// The dialog passes of the next command, played in order; a pass beyond
// them cancels.
void Passi(std::vector<Passo> passi);
// The style-file reader of the running command (null outside a pass).
CXmlReaderJunctor* Lettore();
// What the main dialog does when a style is chosen for a leg: the reader
// loads the style into the leg's sets, the island and the radii follow.
bool CaricaStile(CCmdJunctor& c, CJunctorSettings& settings, CSecondariaJunctor* ramo, const CString& stile);
// Settings seen by the passes so far (a copy at each pass).
const std::vector<CJunctorSettings>& SettingsVisti();
int NumeroPassi();
// The resource library handle the last pass was given.
HINSTANCE RisorseViste();

// The main road, straight from (-400, 0) to (400, 0), half widths 3.75,
// shoulders 1.5; a straight secondary road with half widths 3.5.
// The intersection polylines by id, each in a fixed order.
inline std::map<std::wstring, std::vector<stato::Polilinea>> PerId() {
    std::map<std::wstring, std::vector<stato::Polilinea>> out;
    for (const stato::Polilinea& p : stato::PolilineeIntersezione()) out[p.dati.empty() ? L"" : p.dati[0]].push_back(p);
    return out;
}

// The lane records of the main alignment that carry an id.
inline std::vector<stato::Record> RecordDi(AcDbObjectId asse, const std::wstring& id) {
    std::vector<stato::Record> out;
    for (const stato::Record& r : stato::RecordCorsie(asse)) {
        auto it = std::get<3>(r).find(22405);
        if (it != std::get<3>(r).end() && it->second == id) out.push_back(r);
    }
    return out;
}

// The whole drawing as its dump shows it, but for the handle seed: a build
// that drew pieces and took them away again used handles.
struct Dump {
    std::string handseed, resto;
};
inline Dump Disegno(const AcDbDatabase* db) {
    nlohmann::json j = nlohmann::json::parse(vplat::DumpDrawingJson(db));
    Dump d{j.at("handseed").get<std::string>(), ""};
    j.erase("handseed");
    d.resto = j.dump();
    return d;
}

inline roads::Strada Principale(const std::wstring& nome = L"SS 1") {
    roads::Strada s = roads::Rettilineo(nome, {-400, 0, 0}, {400, 0, 0});
    s.semiDx = s.semiSx = 3.75;
    s.banchinaDx = s.banchinaSx = 1.5;
    return s;
}
inline roads::Strada Secondaria(roads::Vertex da, roads::Vertex a, const std::wstring& nome = L"SP 2") {
    roads::Strada s = roads::Rettilineo(nome, da, a);
    s.semiDx = s.semiSx = 3.5;
    s.banchinaDx = s.banchinaSx = 1.5;
    return s;
}

// The text of every error dialog shown while it lives.
class TestiErrori {
public:
    TestiErrori() {
        vplat::ModalLoop::SetIdleHook([this](HWND dlg, int) {
            wchar_t t[8192] = {};
            GetWindowTextW(GetDlgItem(dlg, IDC_EDIT_ERRORI), t, 8192);
            testi.push_back(t);
        });
    }
    ~TestiErrori() { vplat::ModalLoop::SetIdleHook(nullptr); }
    TestiErrori(const TestiErrori&) = delete;
    TestiErrori& operator=(const TestiErrori&) = delete;

    std::vector<std::wstring> testi;
};

}  // namespace comando

// Junctor's resources are current, as every command makes them.
class ComandoTest : public WorkingDrawingTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Draws a road; the ids of its axis, edges and shoulders.
    std::vector<AcDbObjectId> Disegna(const roads::Strada& s) { return roads::Disegna(s, m_db.get()); }
    static void Script(const std::wstring& testo) { vplat::Script::Get().Load(testo); }
    static std::vector<std::wstring> Mismatches() { return vplat::Script::Get().Mismatches(); }
    static std::vector<vplat::MessageBoxRecord> Messaggi() { return vplat::MessageBoxes::All(); }
    // Runs the new-intersection mode of a fresh command with the passes.
    bool Nuova(std::vector<comando::Passo> passi);
    // Passes that select the roads named in the script and then build.
    static std::vector<comando::Passo> SelezionaECostruisci(
        std::function<void(CCmdJunctor&, CJunctorSettings&)> prima = nullptr);
};
