// Resources found in the table of the module a handle names.
#include <algorithm>
#include <cwchar>
#include <map>

#include "HostTranscript.h"
#include "WinModule.h"
#include "WinWindowImpl.h"

namespace vplat {
namespace gdi {
HGDIOBJ MakeImage(const PixelArt& art, bool icon);
}

namespace {

std::map<HMODULE, const ResourceTable*>& Registered() {
    static std::map<HMODULE, const ResourceTable*> r;
    return r;
}

std::wstring NameOf(LPCWSTR name) {
    if (!name) return L"(null)";
    if (IS_INTRESOURCE(name)) return std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return name;
}

std::wstring ModuleName(HMODULE module) {
    wchar_t buf[1024];
    GetModuleFileNameW(module, buf, 1024);
    return buf;
}

// Images are made once per module and resource and shared, as the platform's
// shared icons are.
std::map<std::pair<const void*, int>, HANDLE>& Images() {
    static std::map<std::pair<const void*, int>, HANDLE> m;
    return m;
}

}  // namespace

void Resources::Register(HMODULE module, const ResourceTable* table) {
    if (table) {
        Registered()[module] = table;
    } else {
        Registered().erase(module);
    }
}

const ResourceTable* Resources::TableOf(HMODULE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    auto it = Registered().find(module);
    if (it != Registered().end()) return it->second;
    // A loaded module publishes its table under an exported name.
    if (FARPROC p = GetProcAddress(module, "vplatResourceSection"))
        return reinterpret_cast<const ResourceTable*>(reinterpret_cast<void*>(p));
    return nullptr;
}

std::wstring Resources::TypeName(LPCWSTR type) {
    if (!IS_INTRESOURCE(type)) return type ? type : L"?";
    switch (reinterpret_cast<uintptr_t>(type)) {
    case 1: return L"cursor";
    case 2: return L"bitmap";
    case 3:
    case 14: return L"icon";
    case 4: return L"menu";
    case 5: return L"dialog";
    default: return L"type " + std::to_wstring(reinterpret_cast<uintptr_t>(type));
    }
}

}  // namespace vplat

using namespace vplat;

extern "C" {

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    if (!module) module = GetModuleHandleW(nullptr);
    const ResourceTable* table = Resources::TableOf(module);
    if (table && IS_INTRESOURCE(name) && IS_INTRESOURCE(type)) {
        int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
        uintptr_t t = reinterpret_cast<uintptr_t>(type);
        if (t == 3) t = 14;
        for (int i = 0; i < table->count; ++i) {
            const ResourceEntry& e = table->entries[i];
            uintptr_t et = reinterpret_cast<uintptr_t>(e.type);
            if (et == 3) et = 14;
            if (e.id == id && et == t) return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&e));
        }
    }
    // A command that looks in the wrong module finds nothing, and says so.
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    Transcript::Get().Event("resource", Resources::TypeName(type) + L" " + NameOf(name) + L" not found in " +
                                            ModuleName(module));
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    if (!resource) return nullptr;
    return const_cast<void*>(reinterpret_cast<const ResourceEntry*>(resource)->data);
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE, HRSRC resource) {
    if (!resource) return 0;
    const ResourceEntry* e = reinterpret_cast<const ResourceEntry*>(resource);
    return reinterpret_cast<uintptr_t>(e->type) == 5 ? sizeof(DLGTEMPLATE) : sizeof(PixelArt);
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    HRSRC r = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_STRING);
    if (!r || !buffer || bufferMax <= 0) return 0;
    const auto* text = static_cast<const wchar_t*>(LoadResource(instance, r));
    int n = static_cast<int>(std::min<size_t>(std::wcslen(text), static_cast<size_t>(bufferMax - 1)));
    std::wmemcpy(buffer, text, static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT) {
    LPCWSTR rt = type == IMAGE_BITMAP ? RT_BITMAP : type == IMAGE_ICON ? RT_GROUP_ICON : RT_CURSOR;
    if (!instance && type == IMAGE_CURSOR) return LoadCursorW(nullptr, name);
    HRSRC r = FindResourceW(instance, name, rt);
    if (!r) return nullptr;
    const auto* art = static_cast<const PixelArt*>(LoadResource(instance, r));
    auto key = std::make_pair(static_cast<const void*>(art), static_cast<int>(type));
    auto& images = Images();
    auto it = images.find(key);
    // Bitmaps are the caller's to delete; icons and cursors are shared.
    if (type != IMAGE_BITMAP && it != images.end()) return it->second;
    HANDLE h = gdi::MakeImage(*art, type != IMAGE_BITMAP);
    if (type != IMAGE_BITMAP) images[key] = h;
    return h;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
    return reinterpret_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    if (!instance) {
        // The system's application icon: a plain square.
        static const char* rows[] = {"################", "#..............#", "#..............#", "#..............#",
                                     "#..............#", "#..............#", "#..............#", "#..............#",
                                     "#..............#", "#..............#", "#..............#", "#..............#",
                                     "#..............#", "#..............#", "#..............#", "################"};
        static const COLORREF colours[] = {RGB(0, 0, 0)};
        static const PixelArt art{16, 16, rows, "#", colours};
        static HICON icon = reinterpret_cast<HICON>(gdi::MakeImage(art, true));
        (void)name;
        return icon;
    }
    return reinterpret_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, 0, 0, 0));
}

}  // extern "C"
