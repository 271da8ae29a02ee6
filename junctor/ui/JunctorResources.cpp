// Junctor's resources: the dialog templates and pictures of the module, in the
// table the platform finds through the module's handle.
#include <windows.h>

#include <iterator>

#include <WebBrowser.h>

#include "Resource.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

const DLGITEMTEMPLATE kSettingsItems[] = {
    {kChild | SS_LEFT | WS_GROUP, 0, 14, 23, 137, 8, IDC_STATIC_DECIMALI, L"Static",
     L"Numero di cifre decimali per gli edit"},
    {kChild | SS_LEFT | WS_GROUP, 0, 14, 43, 137, 8, IDC_STATIC_INCREMENTO, L"Static",
     L"Incremento degli edit dei parametri"},
    {kChild | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 187, 20, 62, 12, IDC_EDIT_DECIMALI, L"Edit", L""},
    {kChild | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 187, 40, 62, 12, IDC_EDIT_INCREMENTO, L"Edit", L""},
    {kChild | BS_GROUPBOX, 0, 7, 7, 249, 54, IDC_GROUP_EDIT, L"Button", L"Impostazioni per gli edit"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 7, 137, 50, 14, IDOK, L"Button", L"Ok"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 206, 137, 50, 14, IDCANCEL, L"Button", L"Annulla"},
    {kChild | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_TABSTOP, 0, 187, 98, 62, 30, IDC_COMBO_UNITA,
     L"ComboBox", L""},
    {kChild | BS_GROUPBOX, 0, 7, 68, 249, 49, IDC_GROUP_UNITA, L"Button", L"Unit\u00e0 di misura degli angoli"},
    {kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 14, 81, 128, 10, IDC_RADIO_UNITA_AUTOCAD, L"Button",
     L"Unit\u00e0 di misura correnti di AutoCAD"},
    {kChild | BS_AUTORADIOBUTTON, 0, 14, 99, 62, 10, IDC_RADIO_PERSONALIZZATA, L"Button", L"Personalizzata"},
    {kChild | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP | WS_GROUP, 0, 187, 79, 62, 12,
     IDC_EDIT_UNITA_AUTOCAD, L"Edit", L""},
};

const DLGTEMPLATE kSettings = {kDialog, WS_EX_TOPMOST, 0, 0, 263, 158, L"Impostazioni di editazione",
                               L"MS Shell Dlg", 8, kSettingsItems, static_cast<int>(std::size(kSettingsItems)),
                               IDD_SETTINGS};

const DLGITEMTEMPLATE kSaveAsItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 53, 93, 50, 14, IDOK, L"Button", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 115, 93, 50, 14, IDCANCEL, L"Button", L"Annulla"},
    {kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 16, 204, 14, IDC_EDIT_NOME, L"Edit", L""},
    {kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 48, 204, 36, IDC_EDIT_DESCRIZIONE, L"Edit", L""},
    {kChild | SS_LEFT | WS_GROUP, 0, 7, 7, 204, 8, IDC_STATIC_NOME, L"Static", L"Nome (max. 20 caratteri)"},
    {kChild | SS_LEFT | WS_GROUP, 0, 7, 39, 106, 8, IDC_STATIC_DESCRIZIONE, L"Static",
     L"Descrizione (max. 200 caratteri):"},
};

const DLGTEMPLATE kSaveAs = {kDialog, 0, 0, 0, 218, 114, L"Salva stile con nome", L"MS Shell Dlg", 8,
                             kSaveAsItems, static_cast<int>(std::size(kSaveAsItems)), IDD_SAVESTYLEAS};

const DLGITEMTEMPLATE kErrsItems[] = {
    {WS_CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 7, 170, 50, 14, IDOK, L"Button", L"OK"},
    {WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, 0, 317, 170, 50, 14, IDCANCEL, L"Button", L"Cancel"},
    {kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 7, 360, 172,
     IDC_EDIT_ERRORI, L"Edit", L""},
};

const DLGTEMPLATE kErrs = {kDialog, 0, 0, 0, 374, 186, L"Errori riscontrati", L"MS Shell Dlg", 8, kErrsItems,
                           static_cast<int>(std::size(kErrsItems)), IDD_ERRS};

const DLGITEMTEMPLATE kViewerItems[] = {
    {kChild | WS_TABSTOP, 0, 7, 7, 491, 387, IDC_EXPLORER, VPLAT_WEBBROWSER_CLASS, L""},
    {WS_CHILD | SS_LEFT, 0, 0, 0, 504, 400, IDC_STATIC_MINIMO, L"Static", L"Static"},
};

const DLGTEMPLATE kViewer = {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_CENTER | DS_SETFONT, 0, 0, 0,
                             505, 401, L"Elenco stili", L"MS Shell Dlg", 8, kViewerItems,
                             static_cast<int>(std::size(kViewerItems)), IDD_STYLESVIEWER};

const MENUITEMTEMPLATE kViewerFile[] = {
    {MF_STRING, ID_FILE_STAMPA, L"Stampa"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_ESCI, L"Esci"},
};
const MENUITEMTEMPLATE kViewerModifica[] = {
    {MF_STRING, ID_MODIFICA_TROVA, L"Trova"},
};
const MENUPOPUPTEMPLATE kViewerPopups[] = {
    {L"File", kViewerFile, static_cast<int>(std::size(kViewerFile))},
    {L"Modifica", kViewerModifica, static_cast<int>(std::size(kViewerModifica))},
};
const MENUTEMPLATE kViewerMenu = {kViewerPopups, static_cast<int>(std::size(kViewerPopups))};

// The module's icon: a road junction.
const char* const kIconRows[] = {
    "................", ".######..######.", ".#....#..#....#.", ".#.gg.#..#.gg.#.", ".#....#..#....#.",
    ".######..######.", "......y..y......", "................", "......y..y......", ".######..######.",
    ".#....#..#....#.", ".#.gg.#..#.gg.#.", ".#....#..#....#.", ".######..######.", "................",
    "................"};
const char kIconKeys[] = "#gy";
const COLORREF kIconColours[] = {RGB(64, 64, 64), RGB(60, 160, 60), RGB(230, 190, 0)};
const vplat::PixelArt kIcon = {16, 16, kIconRows, kIconKeys, kIconColours};

const vplat::ResourceEntry kEntries[] = {
    {RT_DIALOG, IDD_SETTINGS, &kSettings},
    {RT_DIALOG, IDD_SAVESTYLEAS, &kSaveAs},
    {RT_DIALOG, IDD_ERRS, &kErrs},
    {RT_DIALOG, IDD_STYLESVIEWER, &kViewer},
    {RT_MENU, IDR_MENU_VIEWER, &kViewerMenu},
    {RT_GROUP_ICON, IDI_JUNCTOR, &kIcon},
};

}  // namespace

extern "C" const vplat::ResourceTable vplatResourceSection = {L"Junctor.arx", kEntries,
                                                               static_cast<int>(std::size(kEntries))};
