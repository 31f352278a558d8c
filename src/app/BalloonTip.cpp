#include "app/BalloonTip.h"

#include <commctrl.h>

#include "app/InitCommonControlClasses.h"

namespace {

// The one tool of the tooltip: the box, in its parent's window.
TTTOOLINFOW ToolOf(HWND box, const wchar_t* text) {
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = GetParent(box);
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

} // namespace

BalloonTip* BalloonTip::Shown = nullptr;

BalloonTip::BalloonTip() {
    InitCommonControlClasses(ICC_BAR_CLASSES);
}

BalloonTip::~BalloonTip() {
    Hide();
    if (IsWindow(tooltip)) {
        DestroyWindow(tooltip);
    }
}

void BalloonTip::Show(EditBox& box, const wchar_t* title, const wchar_t* text, int icon) {
    Hide();
    if (!box.ShowBalloonTip(title, text, icon) && !ShowOwn(box, title, text, icon)) {
        return;
    }
    shownOn = &box;
    Shown = this;
    // Only this thread's keys: the balloon belongs to what the user types here.
    keyHook = SetWindowsHookExW(WH_GETMESSAGE, OnKey, nullptr, GetCurrentThreadId());
}

bool BalloonTip::ShowOwn(EditBox& box, const wchar_t* title, const wchar_t* text, int icon) {
    const HWND parent = GetParent(box.GetHandle());
    // Owned by the box's window, so that it goes with it.
    if (!IsWindow(tooltip)) {
        tooltip = CreateWindowExW(
            0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, nullptr, nullptr);
    }
    TTTOOLINFOW tool = ToolOf(box.GetHandle(), text);
    if (!tooltip || !SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return false;
    }
    SendMessageW(tooltip, TTM_SETTITLEW, static_cast<WPARAM>(icon),
                 reinterpret_cast<LPARAM>(title));
    RECT bounds = {};
    GetWindowRect(box.GetHandle(), &bounds);
    // The stem points at the box's text, as the box's own balloon does.
    SendMessageW(tooltip, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(bounds.left + (bounds.bottom - bounds.top), bounds.bottom));
    SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void BalloonTip::Hide() {
    if (keyHook) {
        UnhookWindowsHookEx(keyHook);
        keyHook = nullptr;
    }
    if (shownOn) {
        shownOn->HideBalloonTip();
        if (IsWindow(tooltip)) {
            TTTOOLINFOW tool = ToolOf(shownOn->GetHandle(), nullptr);
            SendMessageW(tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
            SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        shownOn = nullptr;
    }
    if (Shown == this) {
        Shown = nullptr;
    }
}

LRESULT CALLBACK BalloonTip::OnKey(int code, WPARAM wParam, LPARAM lParam) {
    // A key pressed, as the message loop takes it, not one let go: the key that brought the
    // balloon is let go after it came. Messages are watched rather than keyboard events: under
    // Wine a typed character let go can come to a keyboard hook marked as pressed.
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    const bool pressed = code >= 0 && wParam == PM_REMOVE &&
                         (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN);
    if (pressed && Shown) {
        Shown->Hide();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
