// Input as a person gives it: the mouse and the keyboard feed the input queue,
// which the message loops read; and the scripted user, who acts in modal
// dialogs from the input script (docs/input-script.md, "Dialogs").
#pragma once

#include <functional>
#include <string>

#include "WinUser.h"

namespace vplat {

class UserInput {
public:
    // Moves the pointer (screen coordinates); the window under it gets
    // WM_SETCURSOR and WM_MOUSEMOVE.
    static void MoveMouse(POINT screen);
    // A click of the left (or right) button on a point of a window's client area.
    static void Click(HWND hwnd, POINT client, bool right = false);
    static void DoubleClick(HWND hwnd, POINT client);
    static void ButtonDown(HWND hwnd, POINT client, bool right = false);
    static void ButtonUp(HWND hwnd, POINT client, bool right = false);
    static void Wheel(HWND hwnd, POINT client, int delta);
    // Shift and Ctrl held down through the mouse actions queued from now on,
    // until called again (a press with Shift held until its release).
    static void HoldKeys(bool shift, bool ctrl);
    // A key pressed and released with its character, with Shift and Ctrl held as given.
    static void Key(UINT vk, bool shift = false, bool ctrl = false);
    // Characters typed, one WM_CHAR each.
    static void Type(const std::wstring& text);
    // Runs the queue until nothing is left to do (posted, input, paint, due timers).
    static void Pump();
};

class ModalLoop {
public:
    // Called by a modal loop when its queue is empty. Gives due timers their
    // turn, then lets the scripted user act once. False when the script holds
    // no action for this dialog: the loop must then cancel it.
    static bool Idle(HWND dialog);
    // Called once for every dialog a modal loop shows, before the first action.
    using ShownHook = std::function<void(HWND dialog, int templateId)>;
    static void SetShownHook(ShownHook hook);
    // Called each time the scripted user is about to act (tests look at the
    // dialog between actions).
    static void SetIdleHook(ShownHook hook);
    // Cancels a dialog the script has no more actions for: IDCANCEL as Esc
    // gives it, then EndDialog if the dialog did not end.
    static void Cancel(HWND dialog);
    // Whether EndDialog was called for the dialog.
    static bool Ended(HWND dialog, INT_PTR* result = nullptr);
};

// Timers due at the virtual clock's present time.
bool TimersDue();

}  // namespace vplat
