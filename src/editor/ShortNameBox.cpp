#include "editor/ShortNameBox.h"

#include <commctrl.h>

#include <algorithm>

void ShortNameBox::Show(const std::string& text) {
    showing = true;
    SetText(text.c_str());
    showing = false;
    accepted = Text();
}

std::string ShortNameBox::Text() {
    std::string text(static_cast<std::size_t>(GetTextLength()) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetText(&text[0], static_cast<int>(text.size()))));
    return text;
}

std::wstring ShortNameBox::Typed() {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(GetHandle())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(GetHandle(), &text[0], static_cast<int>(text.size()))));
    return text;
}

bool ShortNameBox::Changed() {
    return !showing && Text() != accepted;
}

void ShortNameBox::Accept() {
    accepted = Text();
}

void ShortNameBox::Refuse(const wchar_t* title, const wchar_t* reason) {
    MessageBeep(MB_OK);
    DWORD caret = 0;
    GetSel(nullptr, &caret);
    const int grown = LineLength();
    Show(accepted);
    const int typed = grown - LineLength();
    const int start = std::max(0, static_cast<int>(caret) - typed);
    SetSel(start, start);
    tip.Show(*this, title, reason, TTI_WARNING);
}
