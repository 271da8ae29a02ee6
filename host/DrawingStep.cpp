#include "DrawingStep.h"

#include <arx.h>

#include "DrawingDump.h"
#include "DrawingRender.h"
#include "DxfFile.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace DrawingStep {

bool Open(const DrawingOptions& o, std::string* reason) {
    if (o.drawing.empty()) return true;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    std::wstring path = vplat::ToWindowsPath(o.drawing);
    if (db->dxfIn(path.c_str()) != Acad::eOk) {
        *reason = vplat::WideToUtf8(vplat::LastDxfError());
        return false;
    }
    for (const std::wstring& s : vplat::LastDxfSkipped())
        vplat::Transcript::Get().Event("drawing", L"skipped " + s + L" (kind not kept)");
    for (const std::wstring& r : vplat::LastDxfRepairs())
        vplat::Transcript::Get().Event("drawing", L"repaired " + r);
    return true;
}

bool Finish(const DrawingOptions& o, std::string* reason) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    std::wstring error;
    if (!o.save.empty()) {
        std::wstring path = vplat::ToWindowsPath(o.save);
        if (db->dxfOut(path.c_str()) != Acad::eOk) {
            *reason = vplat::WideToUtf8(vplat::LastDxfError());
            return false;
        }
    }
    if (!o.dump.empty() && !vplat::DumpDrawingFile(o.dump, db, &error)) {
        *reason = vplat::WideToUtf8(error);
        return false;
    }
    if (!o.render.empty()) {
        vplat::RenderOptions ro;
        ro.layout = vplat::Utf8ToWide(o.layout);
        bool drawn = vplat::RenderDrawingPng(o.render, db, ro, &error);
        // The host draws once, at its end.
        vplat::ShutdownRenderer();
        if (!drawn) {
            *reason = vplat::WideToUtf8(error);
            return false;
        }
    }
    return true;
}

}  // namespace DrawingStep
