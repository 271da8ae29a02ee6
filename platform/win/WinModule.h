// Run-time module loading over dlopen, with the platform's reference counts
// and library entry calls (DllMain with process attach and detach).
#pragma once

#include <string>
#include <vector>

#include "WinTypes.h"

extern "C" {
HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
HMODULE GetModuleHandleW(LPCWSTR moduleName);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
}

#define LoadLibrary LoadLibraryW
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW

// The library entry a module exports.
typedef BOOL (*DllMainProc)(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace vplat {

struct LoadedModule {
    HMODULE handle;
    std::wstring path;  // Windows-style full path
    int references;
};

class Modules {
public:
    // The host program's own file (answers GetModuleHandleW(nullptr) and
    // GetModuleFileNameW for a module that is not loaded).
    static void SetHostPath(const std::string& posixPath);
    static std::wstring HostPath();
    // Folder searched for a bare file name (the host's folder by default).
    static void SetSearchFolder(const std::string& posixFolder);
    static std::vector<LoadedModule> Loaded();
    // The reason of the last failed load, for the host's report.
    static std::wstring LastLoadError();
};

}  // namespace vplat
