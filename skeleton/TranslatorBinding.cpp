#include "TranslatorBinding.h"

#include <cwchar>

namespace {

const wchar_t kServiceFile[] = L"QvTranslatorDll.dll";
constexpr size_t kNameLength = 504;
constexpr size_t kTextLength = 1000;
constexpr DWORD kPathLength = 1024;

typedef BOOL (*TraduciMfcProc)(HWND window, LPCWSTR appName, LPCWSTR extension);
typedef void (*TraduciMessaggioVoidProc)(LPWSTR text, LPCWSTR appName, LPCWSTR extension);
typedef void (*FiltraDizPerLibProc)(LPCWSTR libraryName);
typedef void (*SetAppNameProc)(LPCWSTR appName, LPCWSTR extension);
typedef void (*FreeDllStringsProc)(CString appName);
typedef void (*TraduciMenuProc)(void* menu, int position, LPCWSTR appName, LPCWSTR extension);
typedef void (*TrTabProc)(void* table, int count, CString appName);
typedef CString (*GetCurInteropLanguageProc)();

// The binding of this module: one per module, as the skeleton is linked into each.
struct Binding {
    HMODULE library = nullptr;
    // This module holds a reference of its own on the library. It always does
    // once bound: a module that found the service loaded by another takes its
    // own reference, so that the other's release cannot pull it away.
    bool referenced = false;
    FARPROC slots[8] = {};
    wchar_t appName[kNameLength] = {};
    wchar_t extension[kNameLength] = {};
    wchar_t result[kTextLength] = {};
};

Binding g_binding;

const char* const kExports[8] = {"TraduciMfc", "TraduciMessaggioVoid", "FiltraDizPerLib", "SetAppName",
                                 "FreeDllStrings", "TraduciMenu", "TrTab", "GetCurInteropLanguage"};
constexpr int kRequiredSlots = 7;

template <typename F>
F Slot(int index) {
    return reinterpret_cast<F>(g_binding.slots[index]);
}

// Bounded copy that always terminates.
void CopyCut(wchar_t* dst, size_t capacity, const wchar_t* src) {
    size_t n = std::wcslen(src);
    if (n >= capacity) n = capacity - 1;
    std::wmemcpy(dst, src, n);
    dst[n] = 0;
}

void Release() {
    if (g_binding.library && g_binding.referenced) FreeLibrary(g_binding.library);
    g_binding.library = nullptr;
    g_binding.referenced = false;
    for (auto& s : g_binding.slots) s = nullptr;
}

}  // namespace

void StripFileName(CString& path) {
    int last = path.ReverseFind(L'\\');
    path = last < 0 ? CString() : path.Left(last);
}

bool LoadTranslatorDll(LPCWSTR moduleFileName) {
    Release();
    // Application name: all but the last four characters; extension: those four.
    const wchar_t* name = moduleFileName ? moduleFileName : L"";
    size_t len = std::wcslen(name);
    size_t split = len >= 4 ? len - 4 : 0;
    CString app(name, static_cast<int>(split));
    CopyCut(g_binding.appName, kNameLength, app);
    CopyCut(g_binding.extension, kNameLength, name + split);

    HMODULE loaded = GetModuleHandleW(kServiceFile);
    CString path;
    if (loaded) {
        // Found loaded by another module: take a reference of our own on it.
        wchar_t buf[kPathLength];
        GetModuleFileNameW(loaded, buf, kPathLength);
        path = buf;
    } else {
        wchar_t buf[kPathLength];
        GetModuleFileNameW(GetModuleHandleW(name), buf, kPathLength);
        path = buf;
        StripFileName(path);
        path += L"\\";
        path += kServiceFile;
    }
    g_binding.library = LoadLibraryW(path);
    if (!g_binding.library) {
        AfxMessageBox(CString(L"Error while loading ") + path, MB_OK, 0);
        return false;
    }
    g_binding.referenced = true;

    for (int i = 0; i < 8; ++i) g_binding.slots[i] = GetProcAddress(g_binding.library, kExports[i]);
    for (int i = 0; i < kRequiredSlots; ++i) {
        if (!g_binding.slots[i]) {
            CString msg;
            msg.Format(L"Error while creating imported function %d from QvTranslatorDll.dll.", i + 1);
            AfxMessageBox(msg, MB_OK, 0);
            Release();
            return false;
        }
    }
    Slot<SetAppNameProc>(3)(g_binding.appName, g_binding.extension);
    return true;
}

void FreeTranslatorDll() {
    // Only the handle this module holds is released, never another module's.
    if (!g_binding.library) return;
    CString ext(g_binding.extension);
    ext.MakeLower();
    if (ext == L".dll" && g_binding.slots[4]) Slot<FreeDllStringsProc>(4)(CString(g_binding.appName));
    Release();
}

LPCWSTR TranslateText(LPCWSTR text) {
    wchar_t local[kTextLength];
    CopyCut(local, kTextLength, text ? text : L"");
    if (g_binding.library && g_binding.slots[1]) {
        Slot<TraduciMessaggioVoidProc>(1)(local, g_binding.appName, g_binding.extension);
        local[kTextLength - 1] = 0;
    }
    CopyCut(g_binding.result, kTextLength, local);
    return g_binding.result;
}

BOOL TranslateDialog(HWND dialog) {
    if (g_binding.library && g_binding.slots[0])
        return Slot<TraduciMfcProc>(0)(dialog, g_binding.appName, g_binding.extension);
    return FALSE;
}

void FilterDictionary(LPCWSTR libraryName) {
    if (g_binding.library && g_binding.slots[2]) Slot<FiltraDizPerLibProc>(2)(libraryName);
}

bool IsTranslatorBound() { return g_binding.library != nullptr; }
