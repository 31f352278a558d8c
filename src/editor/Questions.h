#pragma once

#include "app/Window.h"
#include "settings/SettingsModel.h"

// What the user started when something came to nothing; the same step may be told apart by it.
enum UserAction {
    Locating,  // the start, looking for XGworks through its uninstall entry
    Browsing,  // "..."
    Saving,    // 更新
    Resetting, // the reset
    Restoring, // 前の設定に戻す
};

// The dialog's words with the user: the questions it asks and the one table from what went
// wrong to what the user is told. Every box is owned by the dialog, and counts as one of its
// modal loops while it is open.
class Questions {
public:
    explicit Questions(Window& owner) : owner(owner) {}

    // One of the dialog's own modal loops (a box, a menu, a file dialog, the review), open while
    // it lives: a device change waits for them, as it would change the rows they are about.
    class Loop {
    public:
        explicit Loop(Questions& questions) : open(questions.loops) { ++open; }
        ~Loop() { --open; }
        Loop(const Loop&) = delete;
        Loop& operator=(const Loop&) = delete;

    private:
        int& open;
    };
    bool LoopOpen() const { return loops > 0; }

    // MessageBoxA owned by the dialog: the button pressed.
    int Ask(const char* text, const char* caption, UINT style);
    // True when there is nothing to lose or the user agrees to lose it.
    bool ConfirmDiscard(const SettingsModel& model);
    // True when no two present devices of a kind share a short name, or the user saves anyway.
    bool ConfirmDuplicates(const SettingsModel& model);
    // True when the user agrees to save, to reset or to take the backup back, asked with what
    // it changes of the short names below the question.
    bool ConfirmUpdate(const SettingsModel& model);
    bool ConfirmReset(const SettingsModel& model);
    bool ConfirmRestore(SettingsModel& model);

    // Tells why result, the outcome of action, came to nothing.
    void Tell(const ModelResult& result, UserAction action);
    // The error box of a numbered failure; code 3 promises the file dialog, so it follows the box.
    void ShowError(int code);
    // Says, whatever the code page, why nothing can be written and how to change that; before
    // heads the notice.
    void TellReadOnly(const wchar_t* before);
    // Why a short name typed was refused (a name step of SetName), for the box's balloon.
    static const wchar_t* RefusalText(ModelStep step);

private:
    void ShowErrorText(const std::string& text);

    Window& owner;
    int loops = 0;
};
