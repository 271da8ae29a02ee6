#include "DrawingStep.h"

#include <arx.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "DrawingDump.h"
#include "DrawingRender.h"
#include "DxfFile.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() &&
           std::equal(tail.rbegin(), tail.rend(), s.rbegin(), [](char a, char b) { return std::tolower(a) == b; });
}

// One --render with its layout.
bool Render(const AcDbDatabase* db, const std::string& path, const std::string& layout, const vplat::RenderView& view,
            std::wstring* error) {
    std::vector<std::wstring> layouts;
    if (layout == "*") {
        layouts = vplat::PaperLayoutNames(db);
        if (layouts.empty()) {
            *error = L"the drawing has no paper-space layout to draw into " + vplat::Utf8ToWide(path);
            return false;
        }
    } else {
        layouts.push_back(vplat::Utf8ToWide(layout));
    }
    std::vector<vplat::RenderOptions> pages;
    for (const std::wstring& l : layouts) {
        vplat::RenderOptions ro;
        ro.layout = l;
        ro.view = view;
        pages.push_back(ro);
    }
    if (EndsWith(path, ".pdf")) return vplat::RenderDrawingPdf(path, db, pages, error);
    if (layout != "*") return vplat::RenderDrawingPng(path, db, pages[0], error);
    std::string stem = EndsWith(path, ".png") ? path.substr(0, path.size() - 4) : path;
    for (const vplat::RenderOptions& ro : pages)
        if (!vplat::RenderDrawingPng(stem + "-" + vplat::WideToUtf8(ro.layout) + ".png", db, ro, error)) return false;
    return true;
}

}  // namespace

namespace DrawingStep {

bool CheckView(const DrawingOptions& o, std::string* reason) {
    vplat::RenderView view;
    std::wstring error;
    if (!view.Parse(o.view, &error)) {
        *reason = "--view: " + vplat::WideToUtf8(error);
        return false;
    }
    if (!(std::isfinite(o.zscale) && o.zscale > 0)) {
        *reason = "--zscale: " + std::to_string(o.zscale) + " is not a positive number";
        return false;
    }
    return true;
}

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
    bool drawn = true;
    vplat::RenderView view;
    view.Parse(o.view, nullptr);
    view.zscale = o.zscale;
    for (size_t i = 0; drawn && i < o.render.size(); ++i)
        drawn = Render(db, o.render[i], i < o.layout.size() ? o.layout[i] : std::string(), view, &error);
    // The host draws at its end only.
    if (!o.render.empty()) vplat::ShutdownRenderer();
    if (!drawn) {
        *reason = vplat::WideToUtf8(error);
        return false;
    }
    return true;
}

}  // namespace DrawingStep
