// Sheetor's resources: the title-block dialog, in the table the platform
// finds through the module's handle.
#include <windows.h>

#include <iterator>

#include "SheetorResource.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The grid adds its own client edge.
const DLGITEMTEMPLATE kAttributiItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 52, 148, 50, 14, IDOK, L"Button", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 110, 148, 50, 14, IDCANCEL, L"Button", L"Cancel"},
    {kChild | WS_TABSTOP, 0, 7, 7, 199, 120, IDC_GRIGLIA_ATTRIBUTI, L"MFCGridCtrl", L""},
};

const DLGTEMPLATE kAttributi = {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                                0,
                                0,
                                0,
                                214,
                                169,
                                L"Edita attributi",
                                L"MS Shell Dlg",
                                8,
                                kAttributiItems,
                                static_cast<int>(std::size(kAttributiItems)),
                                IDD_EDITA_ATTRIBUTI};

const vplat::ResourceEntry kEntries[] = {
    {RT_DIALOG, IDD_EDITA_ATTRIBUTI, &kAttributi},
};

}  // namespace

extern "C" const vplat::ResourceTable vplatResourceSection = {L"Sheetor.arx", kEntries,
                                                               static_cast<int>(std::size(kEntries))};
