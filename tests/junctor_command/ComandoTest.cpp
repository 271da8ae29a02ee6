#include "ComandoTest.h"

#include <ArxEntry.h>

#include "CXmlReaderJunctor.h"
#include "WinModule.h"
#include "WinInput.h"
#include "WinResource.h"

extern "C" const vplat::ResourceTable vplatResourceSection;

namespace comando {
namespace {

const HMODULE kJunctor = reinterpret_cast<HMODULE>(0x4A00);

std::vector<Passo> g_passi;
std::vector<CJunctorSettings> g_visti;
size_t g_prossimo = 0;
CXmlReaderJunctor* g_lettore = nullptr;
HINSTANCE g_risorse = nullptr;

INT_PTR Gioca(CCmdJunctor& c, CJunctorSettings* settings, CXmlReaderJunctor* lettore, HINSTANCE risorse,
              int& codice) {
    g_visti.push_back(*settings);
    g_risorse = risorse;
    g_lettore = lettore;
    struct Fine {
        ~Fine() { g_lettore = nullptr; }
    } fine;
    if (g_prossimo >= g_passi.size()) {
        codice = 0;
        return IDCANCEL;
    }
    const Passo& p = g_passi[g_prossimo++];
    if (p.azione) p.azione(c, *settings);
    codice = p.codice;
    return p.esito;
}

}  // namespace

void Passi(std::vector<Passo> passi) {
    g_passi = std::move(passi);
    g_visti.clear();
    g_prossimo = 0;
    CCmdJunctor::SetPassoDialogo(Gioca);
}
CXmlReaderJunctor* Lettore() { return g_lettore; }

bool CaricaStile(CCmdJunctor& c, CJunctorSettings& settings, CSecondariaJunctor* ramo, const CString& stile) {
    if (!g_lettore || !ramo) return false;
    settings.SelezionaStile(stile);
    settings.SetParametri(ramo->GetParametri());
    settings.SetParCorsie(ramo->GetParametriCorsie());
    g_lettore->SetSezioni(true, false, false, false, false);
    g_lettore->SetStile(stile);
    g_lettore->SetDestinazioni(&settings);
    if (!g_lettore->Process()) return false;
    ramo->CalcolaIsola(c.GetPrincipale(), false, true, true);
    CConstrPars* p = ramo->GetParametri();
    if (settings.GetTricentrica()) {
        p->RicalcolaRaggioInternoUscita(ramo->GetSemiLarghezzaSx());
        p->RicalcolaRaggioInternoImmissione(ramo->GetSemiLarghezzaDx());
        p->AccoppiaRaggi(0, true, true, true);
        p->AccoppiaRaggi(1, true, true, true);
        p->RipartisciDeviazioni();
    }
    settings.CalcolaCorsie();
    return true;
}

const std::vector<CJunctorSettings>& SettingsVisti() { return g_visti; }
int NumeroPassi() { return static_cast<int>(g_prossimo); }
HINSTANCE RisorseViste() { return g_risorse; }

}  // namespace comando

void ComandoTest::SetUp() {
    WorkingDrawingTest::SetUp();
    vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
    vplat::Transcript::Get().Clear();
    vplat::Script::Get().Clear();
    vplat::MessageBoxes::Clear();
    vplat::Clock::Get().Set(1000000);
    if (!GetArxAppContext()) acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    // The module folder is the installation's.
    CString cartella = CString(VORTANA_BIN) + L"/";
    wcsncpy(GetArxAppContext()->m_szAppDir, cartella, CArxAppContext::kDirLength - 1);
    vplat::Resources::Register(comando::kJunctor, &vplatResourceSection);
    AfxSetResourceHandle(comando::kJunctor);
    resbuf unita{};
    unita.restype = RTSHORT;
    unita.resval.rint = 0;
    acedSetVar(L"AUNITS", &unita);
}

void ComandoTest::TearDown() {
    CCmdJunctor::SetPassoDialogo(nullptr);
    vplat::ModalLoop::SetIdleHook(nullptr);
    AfxSetResourceHandle(GetModuleHandleW(nullptr));
    vplat::Resources::Register(comando::kJunctor, nullptr);
    WorkingDrawingTest::TearDown();
}

bool ComandoTest::Nuova(std::vector<comando::Passo> passi) {
    comando::Passi(std::move(passi));
    CCmdJunctor c;
    return c.Nuova();
}

std::vector<comando::Passo> ComandoTest::SelezionaECostruisci(
    std::function<void(CCmdJunctor&, CJunctorSettings&)> prima) {
    return {{IDCANCEL, 2}, {IDOK, 1, std::move(prima)}};
}
