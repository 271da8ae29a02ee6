// The help control: opens nothing, records each call with the host.
#include <windows.h>

extern "C" HWND HtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
    vplat::HelpCalls::Record({caller, file ? file : L"", command, data});
    return nullptr;
}
