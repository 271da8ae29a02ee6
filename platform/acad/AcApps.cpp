#include "AcApps.h"

#include <algorithm>

#include "AcEdCommandStack.h"
#include "HostTranscript.h"
#include "WinModule.h"

namespace {

// The factory entry that the suite's managed host binds in the modules it
// loads itself (a C++ name): such a module has no acrxEntryPoint and gets no
// application messages.
constexpr const char* kManagedEntry = "_ZN12GyroformMain14getConstructorEv";

struct AppState {
    std::vector<HMODULE> loaded;
    std::vector<HMODULE> managed;  // loaded as the managed host loads them
    HMODULE current = nullptr;
    std::wstring currentPath;
};

AppState& State() {
    static AppState s;
    return s;
}

std::wstring PathOf(HMODULE m) {
    wchar_t buf[1024];
    GetModuleFileNameW(m, buf, 1024);
    return buf;
}

std::wstring NameOf(HMODULE m) {
    std::wstring p = PathOf(m);
    size_t s = p.find_last_of(L'\\');
    return s == std::wstring::npos ? p : p.substr(s + 1);
}

const wchar_t* RetName(AcRx::AppRetCode r) { return r == AcRx::kRetOK ? L"kRetOK" : L"kRetError"; }

}  // namespace

const ACHAR* acedGetAppName() {
    AppState& s = State();
    s.currentPath = PathOf(s.current);
    return s.currentPath.c_str();
}

namespace vplat {

const wchar_t* AppMsgName(AcRx::AppMsgCode msg) {
    switch (msg) {
    case AcRx::kInitAppMsg: return L"kInitAppMsg";
    case AcRx::kUnloadAppMsg: return L"kUnloadAppMsg";
    case AcRx::kLoadDwgMsg: return L"kLoadDwgMsg";
    case AcRx::kUnloadDwgMsg: return L"kUnloadDwgMsg";
    case AcRx::kInvkSubrMsg: return L"kInvkSubrMsg";
    case AcRx::kCfgMsg: return L"kCfgMsg";
    case AcRx::kEndMsg: return L"kEndMsg";
    case AcRx::kQuitMsg: return L"kQuitMsg";
    case AcRx::kSaveMsg: return L"kSaveMsg";
    default: return L"message";
    }
}

ArxApps::Scope::Scope(HMODULE module) : m_previous(State().current) { State().current = module; }
ArxApps::Scope::~Scope() { State().current = m_previous; }

HMODULE ArxApps::Current() { return State().current; }

std::vector<HMODULE> ArxApps::Loaded() { return State().loaded; }

AcRx::AppRetCode ArxApps::Send(HMODULE module, AcRx::AppMsgCode msg) {
    auto entry = reinterpret_cast<AcRxEntryPointProc>(GetProcAddress(module, "acrxEntryPoint"));
    if (!entry) return AcRx::kRetError;
    AcRx::AppRetCode r;
    {
        Scope scope(module);
        // The application pointer handed to the module is its own handle.
        r = entry(msg, module);
    }
    Transcript::Get().Event("module", NameOf(module) + L": " + AppMsgName(msg) + L" -> " + RetName(r));
    return r;
}

HMODULE ArxApps::Load(const std::wstring& path, std::wstring* error) {
    HMODULE m = LoadLibraryW(path.c_str());
    if (!m) {
        *error = L"cannot load " + path + L": " + Modules::LastLoadError();
        return nullptr;
    }
    AppState& s = State();
    if (std::find(s.loaded.begin(), s.loaded.end(), m) != s.loaded.end()) {
        FreeLibrary(m);  // already loaded: the host keeps one reference
        return m;
    }
    if (!GetProcAddress(m, "acrxEntryPoint") && GetProcAddress(m, kManagedEntry)) {
        s.loaded.push_back(m);
        s.managed.push_back(m);
        Transcript::Get().Event("module", NameOf(m) + L": loaded by the managed host");
        return m;
    }
    if (!GetProcAddress(m, "acrxEntryPoint")) {
        FreeLibrary(m);
        *error = path + L" has no acrxEntryPoint";
        return nullptr;
    }
    if (Send(m, AcRx::kInitAppMsg) != AcRx::kRetOK) {
        std::wstring name = NameOf(m);
        FreeLibrary(m);
        *error = name + L" was not kept: its initialisation answered kRetError";
        Transcript::Get().Event("module", *error);
        return nullptr;
    }
    s.loaded.push_back(m);
    return m;
}

}  // namespace vplat

bool acrxLoadModule(const ACHAR* moduleName, bool /*printit*/, bool /*asCmd*/) {
    if (!moduleName || !*moduleName) return false;
    std::wstring error;
    HMODULE m = vplat::ArxApps::Load(moduleName, &error);
    vplat::Transcript::Get().Event("module", m ? L"acrxLoadModule " + NameOf(m) : error);
    return m != nullptr;
}

namespace vplat {

void ArxApps::Unload(HMODULE module) {
    AppState& s = State();
    auto it = std::find(s.loaded.begin(), s.loaded.end(), module);
    if (it == s.loaded.end()) return;
    s.loaded.erase(it);
    auto gestito = std::find(s.managed.begin(), s.managed.end(), module);
    if (gestito != s.managed.end()) {
        s.managed.erase(gestito);
        Transcript::Get().Event("module", NameOf(module) + L": released by the managed host");
    } else {
        Send(module, AcRx::kUnloadAppMsg);
    }
    FreeLibrary(module);
}

void ArxApps::UnloadAll() {
    while (!State().loaded.empty()) Unload(State().loaded.back());
}

bool ArxApps::Run(const std::wstring& name, std::wstring* error) {
    if (const RegisteredCommand* c = Commands::Find(name)) {
        RegisteredCommand cmd = *c;
        Transcript::Get().Event("command", cmd.globalName);
        Scope scope(cmd.app);
        cmd.function();
        return true;
    }
    std::string narrow(name.begin(), name.end());
    for (HMODULE m : State().loaded) {
        if (FARPROC f = GetProcAddress(m, narrow.c_str())) {
            Transcript::Get().Event("command", name + L" (" + NameOf(m) + L")");
            Scope scope(m);
            reinterpret_cast<void (*)()>(f)();
            return true;
        }
    }
    *error = L"unknown command " + name;
    return false;
}

}  // namespace vplat
