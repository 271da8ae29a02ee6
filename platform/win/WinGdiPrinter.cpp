// The printer's device context: the platform's one printer writes each
// document as a PDF file of A4 portrait pages. Drawing is in pixels at 96 dots
// per inch (794 x 1123 a page), scaled to the PDF's points; the file is
// written only when the document ends, so an aborted document leaves none.
#include <cairo-pdf.h>

#include <fstream>

#include "HostText.h"
#include "WinGdiImpl.h"
#include "WinPrint.h"

namespace vplat {
namespace gdi {

struct PrintJob {
    std::wstring port;     // the output file the context was made for
    std::wstring output;   // the file of the document being printed
    std::string bytes;     // the PDF as Cairo writes it
    cairo_surface_t* pdf = nullptr;
    bool inPage = false;
};

namespace {

constexpr int kPageWidth = 794;
constexpr int kPageHeight = 1123;
int g_jobs = 0;

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<PrintJob*>(closure)->bytes.append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

Dc* Printer(HDC hdc) {
    Dc* d = D(hdc);
    return d && d->kind == Kind::Printer ? d : nullptr;
}

// Back to drawing on nothing, outside any document.
void Detach(Dc& d) {
    Rebind(d, T().screen);
    d.visible = RECT{0, 0, 1, 1};
    if (d.job->pdf) cairo_surface_destroy(d.job->pdf);
    d.job->pdf = nullptr;
    d.job->bytes.clear();
    d.job->inPage = false;
}

}  // namespace

SIZE PrinterPage() { return SIZE{kPageWidth, kPageHeight}; }

void EndPrinterContext(Dc& d) {
    if (d.job && d.job->pdf) Detach(d);
}

}  // namespace gdi
}  // namespace vplat

using namespace vplat;
using namespace vplat::gdi;

extern "C" {

HDC CreateDCW(LPCWSTR, LPCWSTR device, LPCWSTR port, const DEVMODEW*) {
    if (!device || !EqualNoCase(device, VPLAT_PDF_PRINTER)) return nullptr;
    auto d = std::make_unique<Dc>();
    d->kind = Kind::Printer;
    d->job = std::make_shared<PrintJob>();
    d->job->port = port ? port : L"";
    d->visible = RECT{0, 0, 1, 1};
    d->target = "printer " + WideToUtf8(VPLAT_PDF_PRINTER);
    Rebind(*d, T().screen);
    return NewDc(std::move(d));
}

int StartDocW(HDC hdc, const DOCINFOW* doc) {
    Dc* d = Printer(hdc);
    if (!d || d->job->pdf) return SP_ERROR;
    PrintJob& job = *d->job;
    job.output = doc && doc->lpszOutput && *doc->lpszOutput ? doc->lpszOutput : job.port;
    if (job.output.empty()) return SP_ERROR;
    job.bytes.clear();
    job.pdf = cairo_pdf_surface_create_for_stream(Collect, &job, kPageWidth * 72.0 / 96.0, kPageHeight * 72.0 / 96.0);
    Rebind(*d, job.pdf);
    cairo_scale(d->cr, 72.0 / 96.0, 72.0 / 96.0);
    d->visible = RECT{0, 0, kPageWidth, kPageHeight};
    Log(*d, "StartDoc");
    return ++g_jobs;
}

int StartPage(HDC hdc) {
    Dc* d = Printer(hdc);
    if (!d || !d->job->pdf || d->job->inPage) return SP_ERROR;
    d->job->inPage = true;
    return 1;
}

int EndPage(HDC hdc) {
    Dc* d = Printer(hdc);
    if (!d || !d->job->inPage) return SP_ERROR;
    cairo_show_page(d->cr);
    d->job->inPage = false;
    Log(*d, "EndPage");
    return 1;
}

int EndDoc(HDC hdc) {
    Dc* d = Printer(hdc);
    if (!d || !d->job->pdf) return SP_ERROR;
    PrintJob& job = *d->job;
    if (job.inPage) cairo_show_page(d->cr);
    cairo_surface_finish(job.pdf);
    bool ok = cairo_surface_status(job.pdf) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        std::ofstream out(ToPosixPath(job.output), std::ios::binary | std::ios::trunc);
        out << job.bytes;
        ok = static_cast<bool>(out.flush());
    }
    Log(*d, ok ? "EndDoc" : "EndDoc failed");
    Detach(*d);
    return ok ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc) {
    Dc* d = Printer(hdc);
    if (!d || !d->job->pdf) return SP_ERROR;
    Log(*d, "AbortDoc");
    Detach(*d);
    return 1;
}

}  // extern "C"
