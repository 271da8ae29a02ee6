// A CAD extension whose SetCurrentLayout fails for the layout "T120", so
// that the previous layout stays current.
#include <arx.h>

#include <cwchar>

extern "C" {

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }

int AddLayout(const wchar_t* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    return db && name && *name ? vplat::AddLayout(db, name) : 0;
}

int SetCurrentLayout(const wchar_t* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name || std::wcscmp(name, L"T120") == 0) return 0;
    return vplat::SetCurrentLayout(db, name) ? 1 : 0;
}

}  // extern "C"
