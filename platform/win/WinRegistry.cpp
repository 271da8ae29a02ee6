#include "WinRegistry.h"

#include <cstring>
#include <cwctype>
#include <map>
#include <memory>
#include <string>

#include "WinModule.h"

namespace {

// The help control's class id, under which its in-process server is registered.
const wchar_t kHelpControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// An open key: its root and path, lower case.
struct OpenKey {
    uintptr_t root;
    std::wstring path;
};

std::map<uintptr_t, std::unique_ptr<OpenKey>>& Keys() {
    static std::map<uintptr_t, std::unique_ptr<OpenKey>> keys;
    return keys;
}

std::wstring HostFolder() {
    std::wstring host = vplat::Modules::HostPath();
    size_t cut = host.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : host.substr(0, cut + 1);
}

// The string values of the keys this machine has; an empty name is the key's default value.
bool Lookup(uintptr_t root, const std::wstring& path, const std::wstring& name, std::wstring* value) {
    if (root == reinterpret_cast<uintptr_t>(HKEY_CURRENT_USER) && path == L"control panel\\desktop" &&
        name == L"wheelscrolllines") {
        *value = L"3";
        return true;
    }
    if (root == reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT) && path == Lower(kHelpControlKey) && name.empty()) {
        *value = HostFolder() + L"hhctrl.ocx";
        return true;
    }
    return false;
}

bool KeyExists(uintptr_t root, const std::wstring& path) {
    std::wstring unused;
    return Lookup(root, path, L"wheelscrolllines", &unused) || Lookup(root, path, L"", &unused);
}

bool IsRoot(uintptr_t v) { return v >= 0x80000000u && v <= 0x80000002u; }

}  // namespace

extern "C" {

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    uintptr_t v = reinterpret_cast<uintptr_t>(key);
    uintptr_t root = v;
    std::wstring path;
    if (!IsRoot(v)) {
        auto it = Keys().find(v);
        if (it == Keys().end()) return ERROR_INVALID_HANDLE;
        root = it->second->root;
        path = it->second->path;
    }
    if (subKey && *subKey) path += (path.empty() ? L"" : L"\\") + Lower(subKey);
    if (!KeyExists(root, path)) return ERROR_FILE_NOT_FOUND;
    static uintptr_t next = 0x1000;
    next += 8;
    Keys()[next] = std::make_unique<OpenKey>(OpenKey{root, path});
    *result = reinterpret_cast<HKEY>(next);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, BYTE* data, LPDWORD size) {
    auto it = Keys().find(reinterpret_cast<uintptr_t>(key));
    if (it == Keys().end()) return ERROR_INVALID_HANDLE;
    std::wstring value;
    if (!Lookup(it->second->root, it->second->path, Lower(valueName ? valueName : L""), &value))
        return ERROR_FILE_NOT_FOUND;
    if (type) *type = REG_SZ;
    DWORD need = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (!data) {
        if (size) *size = need;
        return ERROR_SUCCESS;
    }
    if (!size) return ERROR_INVALID_PARAMETER;
    if (*size < need) {
        *size = need;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value.c_str(), need);
    *size = need;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    return Keys().erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
}
