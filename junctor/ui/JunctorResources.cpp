// Junctor's resources: the dialog templates and pictures of the module, in the
// table the platform finds through the module's handle.
#include <windows.h>
#include <commctrl.h>

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
    // The unit fields start left of the number fields: "gradi-minuti-secondi" fits.
    {kChild | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_TABSTOP, 0, 150, 98, 99, 30, IDC_COMBO_UNITA,
     L"ComboBox", L""},
    {kChild | BS_GROUPBOX, 0, 7, 68, 249, 49, IDC_GROUP_UNITA, L"Button", L"Unit\u00e0 di misura degli angoli"},
    {kChild | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 14, 81, 128, 10, IDC_RADIO_UNITA_AUTOCAD, L"Button",
     L"Unit\u00e0 di misura correnti di AutoCAD"},
    {kChild | BS_AUTORADIOBUTTON, 0, 14, 99, 62, 10, IDC_RADIO_PERSONALIZZATA, L"Button", L"Personalizzata"},
    {kChild | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP | WS_GROUP, 0, 150, 79, 99, 12,
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

// The log above a visible OK (the first tab stop, so the log does not open
// selected); Cancel stays hidden, Esc and the close box give it.
const DLGITEMTEMPLATE kErrsItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 162, 165, 50, 14, IDOK, L"Button", L"OK"},
    {WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, 0, 317, 170, 50, 14, IDCANCEL, L"Button", L"Cancel"},
    {kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 7, 360, 151,
     IDC_EDIT_ERRORI, L"Edit", L""},
};

const DLGTEMPLATE kErrs = {kDialog | WS_SYSMENU, 0, 0, 0, 374, 186, L"Errori riscontrati", L"MS Shell Dlg", 8,
                           kErrsItems, static_cast<int>(std::size(kErrsItems)), IDD_ERRS};

const DLGITEMTEMPLATE kParCorsieItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 407, 170, 50, 14, IDOK, L"Button", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 463, 170, 50, 14, IDCANCEL, L"Button", L"Annulla"},
    {kChild | BS_GROUPBOX, 0, 385, 7, 184, 154, IDC_GROUP_SVOLTA_SX, L"Button", L"Corsia di accumulo per la svolta a SX"},
    {kChild | BS_GROUPBOX, 0, 7, 7, 184, 154, IDC_GROUP_IMMISSIONE, L"Button", L"Corsia di immissione"},
    {kChild | BS_GROUPBOX, 0, 196, 7, 184, 154, IDC_GROUP_USCITA, L"Button", L"Corsia di uscita"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 519, 170, 50, 14, IDC_BUTTON_HELP, L"Button", L"?"},
};

const DLGTEMPLATE kParCorsie = {kDialog, 0, 0, 0, 576, 191, L"Parametri per la costruzione della corsie",
                                L"MS Shell Dlg", 8, kParCorsieItems, static_cast<int>(std::size(kParCorsieItems)),
                                IDD_PARCORSIE};

constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kCombo = kChild | CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

const DLGITEMTEMPLATE kJunctorItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 173, 292, 50, 14, IDOK, L"Button", L"Disegna"},
    {kPush, 0, 256, 292, 50, 14, IDCANCEL, L"Button", L"Annulla"},
    {WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, 0, 90, 292, 50, 14, IDC_BUTTON_ANTEPRIMA, L"Button", L"Anteprima"},
    {kPush, 0, 339, 292, 50, 14, IDC_BUTTON_HELP, L"Button", L"?"},
    {kPush, 0, 17, 58, 146, 14, IDC_BUTTON_SELEZIONE, L"Button", L"Selezione tracciati"},
    {kChild | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT | WS_BORDER | WS_TABSTOP, 0, 17, 115, 146,
     47, IDC_LIST_STRADE, L"SysListView32", L""},
    {kChild | BS_GROUPBOX, 0, 7, 174, 166, 45, IDC_GROUP_OPZIONI, L"Button", L"Opzioni"},
    {kChild | BS_GROUPBOX, 0, 189, 47, 202, 236, IDC_GROUP_PARAMETRI, L"Button", L"Parametri di costruzione"},
    {kChild | SS_LEFT, 0, 17, 104, 126, 8, IDC_STATIC_SECONDARIA, L"Static", L"Secondaria (rami): "},
    // Not shown: it lies on the caption of the group box around it.
    {WS_CHILD | SS_LEFT, 0, 37, 47, 126, 8, -1, L"Static", L"Principale: "},
    {kChild | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 0, 17, 87, 146, 12, IDC_EDIT_PRINCIPALE, L"Edit",
     L""},
    {kChild | BS_GROUPBOX, 0, 7, 47, 166, 123, IDC_GROUP_STRADE, L"Button", L"Selezione strade: "},
    {kChild | BS_GROUPBOX, 0, 7, 7, 384, 32, IDC_GROUP_STILI, L"Button", L"Stili di costruzione"},
    {kCombo, 0, 13, 19, 160, 127, IDC_COMBO_STILI, L"ComboBox", L""},
    {kPush, 0, 189, 19, 42, 13, IDC_BUTTON_SALVA, L"Button", L"Salva"},
    {kChild | SS_LEFT, 0, 17, 77, 126, 8, IDC_STATIC_NOME_PRINCIPALE, L"Static", L"Principale"},
    {kCheck | BS_LEFTTEXT, 0, 13, 203, 150, 10, IDC_CHECK_TRICENTRICA, L"Button", L"Tricentrica C.N.R."},
    // The arrow bitmap alone: the narrow button has no room for it and its text.
    {kPush | BS_BITMAP, 0, 403, 11, 18, 232, IDC_BUTTON_IMMAGINE, L"Button", L">>"},
    {WS_CHILD | SS_BITMAP, 0, 376, 47, 15, 13, IDC_IMMAGINE, L"Static", L""},
    {WS_CHILD | SS_ETCHEDFRAME, 0, 371, 47, 20, 20, IDC_CORNICE, L"Static", L""},
    {kPush, 0, 237, 19, 50, 13, IDC_BUTTON_SALVA_COME, L"Button", L"Salva come..."},
    {kPush, 0, 293, 19, 42, 13, IDC_BUTTON_ELIMINA, L"Button", L"Elimina"},
    {kPush, 0, 341, 19, 42, 13, IDC_BUTTON_VISUALIZZA, L"Button", L"Visualizza"},
    {kPush, 0, 7, 292, 50, 14, IDC_BUTTON_IMPOSTAZIONI, L"Button", L"Impostazioni"},
    {kCombo | WS_DISABLED, 0, 101, 187, 62, 30, IDC_COMBO_METODO, L"ComboBox", L""},
    {kChild | SS_LEFT, 0, 13, 186, 71, 8, IDC_STATIC_METODO, L"Static", L"Metodo di costruzione"},
    {kCheck, 0, 18, 236, 96, 9, IDC_CHECK_CORSIA_SX, L"Button", L"Corsia di acc. svolta a SX"},
    {kPush, 0, 123, 234, 43, 39, IDC_BUTTON_PARAMETRI, L"Button", L"Parametri"},
    {kChild | BS_GROUPBOX, 0, 7, 224, 166, 59, IDC_GROUP_CORSIE, L"Button", L"Corsie"},
    {kCheck, 0, 18, 259, 79, 10, IDC_CHECK_CORSIA_IMM, L"Button", L"Corsia di immissione"},
    {kCheck, 0, 18, 271, 64, 10, IDC_CHECK_CORSIA_USC, L"Button", L"Corsia di uscita"},
    {kCheck, 0, 28, 248, 70, 9, IDC_CHECK_URBANO, L"Button", L"Ambito urbano"},
};

const DLGTEMPLATE kJunctor = {kDialog | DS_CENTER | WS_SYSMENU, 0, 0, 0, 428, 313, L"Intersezioni a raso",
                              L"MS Shell Dlg", 8, kJunctorItems, static_cast<int>(std::size(kJunctorItems)),
                              IDD_JUNCTOR};

// The picture panel's button: an arrow out of the dialog while the panel is
// closed, back into it while it is open.
const char* const kChiusaRows[] = {
    "ffffffffffffffff", "ffffffffffffffff", "ffff#fffffffffff", "ffff##ffffffffff", "ffff###fffffffff",
    "ffff####ffffffff", "ffff#####fffffff", "ffff######ffffff", "ffff######ffffff", "ffff#####fffffff",
    "ffff####ffffffff", "ffff###fffffffff", "ffff##ffffffffff", "ffff#fffffffffff", "ffffffffffffffff",
    "ffffffffffffffff"};
const char* const kApertaRows[] = {
    "ffffffffffffffff", "ffffffffffffffff", "fffffffffff#ffff", "ffffffffff##ffff", "fffffffff###ffff",
    "ffffffff####ffff", "fffffff#####ffff", "ffffff######ffff", "ffffff######ffff", "fffffff#####ffff",
    "ffffffff####ffff", "fffffffff###ffff", "ffffffffff##ffff", "fffffffffff#ffff", "ffffffffffffffff",
    "ffffffffffffffff"};
const char kFrecciaKeys[] = "#f";
// The button face around the arrow: bitmaps have no transparent pixels.
const COLORREF kFrecciaColours[] = {RGB(0, 0, 0), RGB(240, 240, 240)};
const vplat::PixelArt kChiusa = {16, 16, kChiusaRows, kFrecciaKeys, kFrecciaColours};
const vplat::PixelArt kAperta = {16, 16, kApertaRows, kFrecciaKeys, kFrecciaColours};

const DLGITEMTEMPLATE kViewerItems[] = {
    {kChild | WS_TABSTOP, 0, 7, 7, 491, 387, IDC_EXPLORER, VPLAT_WEBBROWSER_CLASS, L""},
    // The whole client area: the viewer cannot be made smaller than its template.
    {WS_CHILD | SS_LEFT, 0, 0, 0, 505, 401, IDC_STATIC_MINIMO, L"Static", L"Static"},
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
    {RT_DIALOG, IDD_PARCORSIE, &kParCorsie},
    {RT_DIALOG, IDD_JUNCTOR, &kJunctor},
    {RT_BITMAP, IDB_IMMAGINE_CHIUSA, &kChiusa},
    {RT_BITMAP, IDB_IMMAGINE_APERTA, &kAperta},
    {RT_DIALOG, IDD_STYLESVIEWER, &kViewer},
    {RT_MENU, IDR_MENU_VIEWER, &kViewerMenu},
    {RT_GROUP_ICON, IDI_JUNCTOR, &kIcon},
};

}  // namespace

extern "C" const vplat::ResourceTable vplatResourceSection = {L"Junctor.arx", kEntries,
                                                               static_cast<int>(std::size(kEntries))};
