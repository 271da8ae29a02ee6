#include "WinModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cwctype>
#include <filesystem>
#include <memory>

#include "HostText.h"
#include "HostTranscript.h"

namespace {

thread_local DWORD g_lastError = 0;

struct ModuleRecord {
    HINSTANCE__ self{};  // its address is the module handle
    void* dl = nullptr;
    std::string posixPath;
    std::wstring path;
    int references = 0;
};

struct ModuleTable {
    std::vector<std::unique_ptr<ModuleRecord>> modules;
    HINSTANCE__ host{};
    std::string hostPath;
    std::string searchFolder;
    std::wstring lastError;
};

ModuleTable& Table() {
    static ModuleTable t;
    return t;
}

std::string ExecutablePath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    buf[n] = 0;
    return buf;
}

const std::string& HostPosixPath() {
    ModuleTable& t = Table();
    if (t.hostPath.empty()) t.hostPath = ExecutablePath();
    return t.hostPath;
}

std::wstring FileNameOf(const std::wstring& path) {
    size_t p = path.find_last_of(L"\\/");
    return p == std::wstring::npos ? path : path.substr(p + 1);
}

ModuleRecord* FindByHandle(HMODULE h) {
    for (auto& m : Table().modules)
        if (&m->self == h) return m.get();
    return nullptr;
}

// A bare name is searched in the host's folder, then in the current folder.
std::string Resolve(const std::wstring& name) {
    std::string p = vplat::ToPosixPath(name);
    if (p.find('/') != std::string::npos) return std::filesystem::absolute(p).lexically_normal().string();
    ModuleTable& t = Table();
    std::string folder = t.searchFolder;
    if (folder.empty()) folder = std::filesystem::path(HostPosixPath()).parent_path().string();
    std::filesystem::path candidate = std::filesystem::path(folder) / p;
    if (std::filesystem::exists(candidate)) return candidate.lexically_normal().string();
    return std::filesystem::absolute(p).lexically_normal().string();
}

}  // namespace

extern "C" DWORD GetLastError() { return g_lastError; }
extern "C" void SetLastError(DWORD code) { g_lastError = code; }

extern "C" HMODULE LoadLibraryW(LPCWSTR fileName) {
    ModuleTable& t = Table();
    if (!fileName || !*fileName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::string posix = Resolve(fileName);
    for (auto& m : t.modules) {
        if (m->posixPath == posix) {
            ++m->references;
            return &m->self;
        }
    }
    if (!std::filesystem::exists(posix)) {
        t.lastError = L"file not found: " + vplat::Utf8ToWide(posix);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* dl = dlopen(posix.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dl) {
        const char* why = dlerror();
        t.lastError = vplat::Utf8ToWide(why ? why : "dlopen failed");
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    auto rec = std::make_unique<ModuleRecord>();
    rec->dl = dl;
    rec->posixPath = posix;
    rec->path = vplat::ToWindowsPath(posix);
    rec->references = 1;
    ModuleRecord* m = rec.get();
    t.modules.push_back(std::move(rec));
    vplat::Transcript::Get().Event("module", L"loaded " + m->path);
    auto entry = reinterpret_cast<DllMainProc>(dlsym(dl, "DllMain"));
    if (entry && !entry(&m->self, DLL_PROCESS_ATTACH, nullptr)) {
        // A library whose entry refuses the attach is not kept.
        entry(&m->self, DLL_PROCESS_DETACH, nullptr);
        t.lastError = L"the library entry of " + m->path + L" failed";
        vplat::Transcript::Get().Event("module", L"released " + m->path);
        dlclose(dl);
        t.modules.erase(std::find_if(t.modules.begin(), t.modules.end(),
                                     [m](const auto& p) { return p.get() == m; }));
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    return &m->self;
}

extern "C" BOOL FreeLibrary(HMODULE module) {
    ModuleTable& t = Table();
    ModuleRecord* m = FindByHandle(module);
    if (!m) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (--m->references > 0) return TRUE;
    auto entry = reinterpret_cast<DllMainProc>(dlsym(m->dl, "DllMain"));
    if (entry) entry(&m->self, DLL_PROCESS_DETACH, nullptr);
    vplat::Transcript::Get().Event("module", L"released " + m->path);
    void* dl = m->dl;
    t.modules.erase(std::find_if(t.modules.begin(), t.modules.end(),
                                 [m](const auto& p) { return p.get() == m; }));
    dlclose(dl);
    return TRUE;
}

extern "C" HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    ModuleTable& t = Table();
    if (!moduleName) return &t.host;
    std::wstring want = moduleName;
    bool full = want.find_first_of(L"\\/") != std::wstring::npos;
    // A name without extension means ".dll", as on the platform.
    if (FileNameOf(want).find(L'.') == std::wstring::npos) want += L".dll";
    for (auto& m : t.modules) {
        const std::wstring& have = full ? m->path : FileNameOf(m->path);
        std::wstring w = full ? vplat::ToWindowsPath(vplat::ToPosixPath(want)) : want;
        if (vplat::EqualNoCase(have, w)) return &m->self;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

extern "C" DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    std::wstring path;
    if (ModuleRecord* m = FindByHandle(module)) {
        path = m->path;
    } else {
        path = vplat::ToWindowsPath(HostPosixPath());
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // As on the platform: a path that does not fit is cut, terminated, and the
    // full buffer size is returned with ERROR_INSUFFICIENT_BUFFER.
    if (path.size() >= size) {
        std::wmemcpy(fileName, path.c_str(), size - 1);
        fileName[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::wmemcpy(fileName, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

extern "C" FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    ModuleRecord* m = FindByHandle(module);
    if (!m || !procName) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    dlerror();
    void* sym = dlsym(m->dl, procName);
    if (!sym) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(sym);
}

namespace vplat {

void Modules::SetHostPath(const std::string& posixPath) { Table().hostPath = posixPath; }
std::wstring Modules::HostPath() { return ToWindowsPath(HostPosixPath()); }
void Modules::SetSearchFolder(const std::string& posixFolder) { Table().searchFolder = posixFolder; }
std::wstring Modules::LastLoadError() { return Table().lastError; }

std::vector<LoadedModule> Modules::Loaded() {
    std::vector<LoadedModule> out;
    for (auto& m : Table().modules) out.push_back({&m->self, m->path, m->references});
    return out;
}

}  // namespace vplat
