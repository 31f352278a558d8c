#include "app/PopupMenu.h"

PopupMenu::PopupMenu() : menu(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
    if (menu) {
        DestroyMenu(menu);
    }
}

BOOL PopupMenu::AppendItem(UINT id, const char* text) {
    return AppendMenuA(menu, MF_STRING, id, text);
}

BOOL PopupMenu::AppendSubmenu(PopupMenu& submenu, const char* text, bool enabled) {
    const BOOL appended = AppendMenuA(menu, MF_POPUP | (enabled ? MF_ENABLED : MF_GRAYED),
                                      reinterpret_cast<UINT_PTR>(submenu.menu), text);
    if (appended) {
        submenu.menu = nullptr;
    }
    return appended;
}

BOOL PopupMenu::SetDefaultItem(UINT id) {
    return SetMenuDefaultItem(menu, id, FALSE);
}

UINT PopupMenu::Track(HWND owner, POINT screenPoint) {
    return static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                            screenPoint.y, 0, owner, nullptr));
}
