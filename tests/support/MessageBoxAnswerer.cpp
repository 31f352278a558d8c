#include "support/MessageBoxAnswerer.h"

#include "support/WindowSearch.h"

#include <dlgs.h>

namespace {

// A message box is a dialog whose text is the static control 0xFFFF.
constexpr int MessageTextId = 0xFFFF;

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(HWND owner, DWORD timeoutMs) : timeoutMs(timeoutMs) {
    if (WaitUntil([&] { return (box = Find(owner)) != nullptr; }, timeoutMs)) {
        text = TextOf(GetDlgItem(box, MessageTextId));
        caption = TextOf(box);
    }
}

HWND MessageBoxAnswerer::Find(HWND owner) {
    return FindOwnDialog([owner](HWND window) {
        return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner &&
               GetDlgItem(window, MessageTextId) && !GetDlgItem(window, edt1) &&
               !GetDlgItem(window, cmb13);
    });
}

bool MessageBoxAnswerer::Answer(int id) {
    const HWND answered = box;
    box = nullptr;
    if (!answered)
        return false;
    PressButton(answered, id);
    return WaitUntil([answered] { return !IsWindow(answered); }, timeoutMs);
}
