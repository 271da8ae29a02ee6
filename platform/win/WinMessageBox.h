// Message boxes: recorded with text, caption and buttons, answered from the
// input script ("msgbox yes"), else with their default button.
#pragma once

#include <string>
#include <vector>

#include "WinTypes.h"

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#define MB_APPLMODAL 0x00000000u
#define MB_TASKMODAL 0x00002000u
#define MB_TOPMOST 0x00040000u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
#define MessageBox MessageBoxW

namespace vplat {

struct MessageBoxRecord {
    std::wstring text;
    std::wstring caption;
    UINT type;
    int answer;
};

class MessageBoxes {
public:
    static const std::vector<MessageBoxRecord>& All();
    static void Clear();
    // The buttons of a box type, in the order shown ("OK", "Yes/No" ...).
    static std::wstring ButtonNames(UINT type);
    static std::wstring AnswerName(int answer);
};

}  // namespace vplat
