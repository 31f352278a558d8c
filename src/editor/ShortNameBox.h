#pragma once

#include "app/BalloonTip.h"
#include "app/EditBox.h"

#include <string>

// The short-name box: what it shows as the dialog's own doing, what the user typed into it, and
// the balloon that says why a change was refused.
class ShortNameBox : public EditBox {
public:
    // Shows text, no edit of the user's, and takes what the box then holds as accepted: bytes
    // that the box cannot show as they are (a character outside the code page, a broken one)
    // come back from it changed, and a name merely shown must never be stored so.
    void Show(const std::string& text);
    // What the box holds, as ANSI text, and as the Unicode the user typed.
    std::string Text();
    std::wstring Typed();
    // Whether the box holds a change of the user's: not the dialog's own, not what was accepted.
    bool Changed();
    // What the box holds is taken: the next refusal brings it back.
    void Accept();
    // What was just typed or pasted goes, with a beep and a balloon saying why: the box gets back
    // the text it had, the caret where the typing began.
    void Refuse(const wchar_t* title, const wchar_t* reason);
    void HideTip() { tip.Hide(); }

private:
    BalloonTip tip;
    std::string accepted;
    // Set while the dialog itself sets the text, whose change notification is then no edit.
    bool showing = false;
};
