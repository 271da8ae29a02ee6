// What the window system did, for tests: the messages sent and dispatched,
// in order, with readable names.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "WinUser.h"

namespace vplat {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;  // came through the queue (DispatchMessage) rather than SendMessage
};

class MessageLog {
public:
    static void Start();  // clears and records from now on
    static void Stop();
    static bool Recording();
    static void Record(const LoggedMessage& m);
    static const std::vector<LoggedMessage>& Entries();
    // One line per message, "WM_KILLFOCUS #7025 wParam=#1"; with a list of
    // messages, only those.
    static std::vector<std::wstring> Lines(std::initializer_list<UINT> only = {});
};

// "#7025" for a control, "dialog 7008" for a dialog, else the class and text.
std::wstring WindowName(HWND hwnd);
std::wstring MessageName(UINT message);
// Drops the queued messages and timers of a window being destroyed.
void DropWindowFromQueues(HWND hwnd);

}  // namespace vplat
