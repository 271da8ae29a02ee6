#include "DrawingStep.h"

#include <arx.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>

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

// The part of a page picture's file name that a layout's name gives: each
// character a file name may not hold here or on Windows (a folder separator
// above all) becomes "_", and a name longer than 200 bytes is cut at a
// character. Two layouts whose parts meet (the case aside) take "-2", "-3" ...
// after the second and later, in tab order.
std::string PageName(const std::wstring& layout, std::vector<std::string>& taken) {
    std::wstring safe;
    for (wchar_t c : layout) {
        bool bad = c < 0x20 || c == 0x7F || std::wstring_view(L"/\\:*?\"<>|").find(c) != std::wstring_view::npos;
        safe += bad ? L'_' : c;
    }
    std::string name = vplat::WideToUtf8(safe);
    if (name.size() > 200) {
        size_t cut = 200;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::string unique = name;
    for (int n = 2; std::find(taken.begin(), taken.end(), lower(unique)) != taken.end(); ++n)
        unique = name + "-" + std::to_string(n);
    taken.push_back(lower(unique));
    return unique;
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
    std::vector<std::string> taken;
    for (const vplat::RenderOptions& ro : pages)
        if (!vplat::RenderDrawingPng(stem + "-" + PageName(ro.layout, taken) + ".png", db, ro, error)) return false;
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
