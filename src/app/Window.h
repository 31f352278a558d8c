#pragma once

#include <windows.h>

// A window handle and the messages every window understands. Owns nothing: the window is
// created and destroyed by whoever made it.
class Window {
public:
    Window();
    virtual ~Window();

    void SetHandle(HWND handle);
    HWND GetHandle() const;
    BOOL IsAlive() const;

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Post(UINT message, WPARAM wParam, LPARAM lParam);

    // Sizes count bytes including the terminating zero; lengths exclude it.
    int GetText(char* buffer, int size);
    int GetTextLength();
    BOOL SetText(const char* text);
    // EnableWindow: whether it was disabled before.
    BOOL Enable(BOOL enable);

    // Returns rect even when the platform fails.
    RECT* GetClientRect(RECT* rect);
    // Either pointer may be null.
    BOOL GetClientSize(int* width, int* height);

    HWND GetChild(int id);
    // 0 without sending anything when there is no such child.
    LRESULT SetChildText(int id, const char* text);

private:
    HWND handle;
};
