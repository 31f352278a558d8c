#pragma once

#include <windows.h>

// A shortcut menu built for one showing; destroying it destroys its submenus with it.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // AppendMenuA with a command id (from 1: Track returns 0 for none chosen).
    BOOL AppendItem(UINT id, const char* text);
    // AppendMenuA of submenu, which this menu then owns and destroys; greyed, it cannot be opened.
    BOOL AppendSubmenu(PopupMenu& submenu, const char* text, bool enabled);
    // SetMenuDefaultItem by command id: drawn bold, what a double click would choose.
    BOOL SetDefaultItem(UINT id);
    // TrackPopupMenu at a screen point, owned by owner, until the user chooses or leaves: the
    // chosen command id, 0 for none.
    UINT Track(HWND owner, POINT screenPoint);

private:
    HMENU menu;
};
