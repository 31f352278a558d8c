#include "app/Window.h"

Window::Window() : handle(nullptr) {}

Window::~Window() {}

void Window::SetHandle(HWND newHandle) {
    handle = newHandle;
}

HWND Window::GetHandle() const {
    return handle;
}

BOOL Window::IsAlive() const {
    return IsWindow(handle);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(handle, message, wParam, lParam);
}

BOOL Window::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(handle, message, wParam, lParam);
}

int Window::GetText(char* buffer, int size) {
    return static_cast<int>(
        Send(WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int Window::GetTextLength() {
    return static_cast<int>(Send(WM_GETTEXTLENGTH, 0, 0));
}

BOOL Window::SetText(const char* text) {
    return static_cast<BOOL>(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

BOOL Window::Enable(BOOL enable) {
    return EnableWindow(handle, enable);
}

RECT* Window::GetClientRect(RECT* rect) {
    ::GetClientRect(handle, rect);
    return rect;
}

BOOL Window::GetClientSize(int* width, int* height) {
    RECT rect = {};
    ::GetClientRect(handle, &rect);
    if (width != nullptr) {
        *width = rect.right - rect.left;
    }
    if (height != nullptr) {
        *height = rect.bottom - rect.top;
    }
    return TRUE;
}

HWND Window::GetChild(int id) {
    return GetDlgItem(handle, id);
}

LRESULT Window::SetChildText(int id, const char* text) {
    HWND child = GetChild(id);
    if (child == nullptr) {
        return 0;
    }
    return SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
