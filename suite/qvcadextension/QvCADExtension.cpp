// The suite's CAD extension: paper-space layouts of the working drawing by
// name, for the modules that lay drawings out on sheets.
#include <arx.h>

#include <string>

extern "C" {

AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }

// 1 made, 2 a layout of that name exists (without regard to case), 0 failed.
int AddLayout(const wchar_t* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name || !*name) return 0;
    return vplat::AddLayout(db, name);
}

// 1 when the layout is current ("*Paper_Space" is then its block), 0 for an
// unknown name.
int SetCurrentLayout(const wchar_t* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name) return 0;
    return vplat::SetCurrentLayout(db, name) ? 1 : 0;
}

}  // extern "C"
