// Printing: the print dialog answered by the input script, and the printer of
// this platform, which writes each document to a PDF file (A4 portrait at
// 96 dots per inch; the file is written when the document ends).
#pragma once

#include "WinGdi.h"
#include "WinUser.h"

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

#define DM_ORIENTATION 0x00000001u
#define DM_PAPERSIZE 0x00000002u
#define DM_COPIES 0x00000100u
#define DM_COLLATE 0x00008000u
#define DMORIENT_PORTRAIT 1
#define DMPAPER_A4 9
#define DMCOLLATE_FALSE 0
#define DMCOLLATE_TRUE 1

struct DEVMODEW {
    WCHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;
    short dmPaperWidth;
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    WCHAR dmFormName[CCHFORMNAME];
};
typedef DEVMODEW DEVMODE;
typedef DEVMODEW* LPDEVMODEW;

// Offsets in characters from the start of the block to three texts that follow it.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
typedef DEVNAMES* LPDEVNAMES;

#define PD_ALLPAGES 0x00000000u
#define PD_SELECTION 0x00000001u
#define PD_PAGENUMS 0x00000002u
#define PD_NOSELECTION 0x00000004u
#define PD_NOPAGENUMS 0x00000008u
#define PD_COLLATE 0x00000010u
#define PD_PRINTTOFILE 0x00000020u
#define PD_PRINTSETUP 0x00000040u
#define PD_RETURNDC 0x00000100u
#define PD_RETURNDEFAULT 0x00000400u
#define PD_USEDEVMODECOPIES 0x00040000u
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000u
#define PD_HIDEPRINTTOFILE 0x00100000u

struct PRINTDLGW {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    void* lpfnPrintHook;
    void* lpfnSetupHook;
    LPCWSTR lpPrintTemplateName;
    LPCWSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
typedef PRINTDLGW PRINTDLG;
typedef PRINTDLGW* LPPRINTDLGW;

struct DOCINFOW {
    int cbSize;
    LPCWSTR lpszDocName;
    LPCWSTR lpszOutput;
    LPCWSTR lpszDatatype;
    DWORD fwType;
};
typedef DOCINFOW DOCINFO;

#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define SP_ERROR (-1)

// The one printer of this platform.
#define VPLAT_PDF_PRINTER L"PDF"

extern "C" {
// Answered by the script's next `print` line: `print FILE` chooses the PDF
// printer with FILE as its output, `print <cancel>` cancels. On confirmation
// the dialog allocates DEVMODE and DEVNAMES (global memory the caller frees)
// when none were passed in, and with PD_RETURNDC makes the printer's context.
BOOL PrintDlgW(LPPRINTDLGW pd);
DWORD CommDlgExtendedError();

// The printer's context: device VPLAT_PDF_PRINTER, the output file as port.
HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const DEVMODEW* devmode);
int StartDocW(HDC hdc, const DOCINFOW* doc);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
// Writes the file; SP_ERROR when it cannot be written.
int EndDoc(HDC hdc);
// Drops the document: no file is written.
int AbortDoc(HDC hdc);
}

#define PrintDlg PrintDlgW
#define CreateDC CreateDCW
#define StartDoc StartDocW
