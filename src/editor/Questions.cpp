#include "editor/Questions.h"

#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"

#include <climits>
#include <string>
#include <vector>

namespace {

// What the user is told of a step that came to nothing, by what was started: a numbered message,
// a text of its own, or the numbered one with the text below it. A write that failed says after
// it where and why (DescribeFileFailure).
struct Failure {
    ModelStep step;
    UserAction action;
    E8Error code; // E8Success: the text alone
    const char* text;
};

const Failure Failures[] = {
    {NoInstallation, Locating, E8InstallationNotFound, nullptr},
    {OpenNoFile, Locating, E8SettingsNotFound, nullptr},
    {FolderRefused, Locating, E8SettingsNotFound, nullptr},
    {OpenNoFile, Browsing, E8SettingsNotFound, nullptr},
    // A folder that is not XGworks' changes nothing, and says so.
    {FolderRefused, Browsing, E8SettingsNotFound, NotXGworksFolderText},
    {WriteNoFolder, Saving, E8Success, NoSettingsToUpdateText},
    // A file that could not be read is never written over: what it holds would be lost.
    {WriteNoFile, Saving, E8SettingsNotFound, nullptr},
    {WriteFailed, Saving, E8Success, UpdateFailedText},
    {WriteNoFolder, Resetting, E8NoSettingsFile, nullptr},
    {WriteFailed, Resetting, E8ResetFailed, nullptr},
    {WriteNoFolder, Restoring, E8Success, NoBackupText},
    {WriteNoBackup, Restoring, E8Success, NoBackupText},
    {WriteBackupChanged, Restoring, E8Success, BackupChangedText},
    {WriteFailed, Restoring, E8Success, RestoreFailedText},
};

// question, then a blank line and a line for each short name that changes, the first
// MaxChangeLines of them and how many more.
std::string WithChanges(const char* question, const std::vector<NameChange>& changes) {
    std::string text = question;
    for (std::size_t i = 0; i < changes.size() && i < MaxChangeLines; ++i) {
        const NameChange& change = changes[i];
        text += (i == 0 ? "\n\n" : "\n") + std::string(DeviceKindTitle[change.kind]) +
                ChangeKindSeparator + change.device + ChangeDeviceSeparator +
                (change.before.empty() ? NoNameText : change.before) + ChangeArrow +
                (change.after.empty() ? NoNameText : change.after);
    }
    if (changes.size() > MaxChangeLines) {
        char more[sizeof(MoreChangesFormat) + sizeof(int) * CHAR_BIT];
        wsprintfA(more, MoreChangesFormat, static_cast<int>(changes.size()) - MaxChangeLines);
        text += std::string("\n") + more;
    }
    return text;
}

} // namespace

int Questions::Ask(const char* text, const char* caption, UINT style) {
    const Loop loop(*this);
    return MessageBoxA(owner.GetHandle(), text, caption, style);
}

bool Questions::ConfirmDiscard(const SettingsModel& model) {
    return !model.HasEdits() || Ask(DiscardEditsText, DiscardEditsCaption,
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool Questions::ConfirmDuplicates(const SettingsModel& model) {
    std::string lines;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        for (const SharedShortName& shared :
             model.SharedShortNames(static_cast<DeviceKind>(kind))) {
            lines += DuplicateNameOpen + shared.shortName + DuplicateNameClose;
            for (std::size_t i = 0; i < shared.devices.size(); ++i) {
                lines += (i > 0 ? DuplicateDeviceSeparator : "") + shared.devices[i];
            }
            lines += '\n';
        }
    }
    return lines.empty() ||
           Ask((DuplicateNamesText + lines + DuplicateNamesQuestion).c_str(), DuplicateNamesCaption,
               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool Questions::ConfirmUpdate(const SettingsModel& model) {
    return Ask(WithChanges(ConfirmUpdateText, model.SaveChanges()).c_str(), ConfirmUpdateCaption,
               MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool Questions::ConfirmReset(const SettingsModel& model) {
    std::string text = ConfirmResetText;
    if (const NameCount count = model.ResetChanges(); count.names > 0) {
        char changes[sizeof(ResetChangesFormat) + 3 * sizeof(int) * CHAR_BIT];
        wsprintfA(changes, ResetChangesFormat, count.names, count.changed, count.dropped);
        text = text + "\n\n" + changes;
    }
    return Ask(text.c_str(), ConfirmResetCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
           IDYES;
}

bool Questions::ConfirmRestore(SettingsModel& model) {
    SYSTEMTIME written = {};
    // Gone since the button was pressed.
    if (!model.BackupTime(written)) {
        ShowErrorText(NoBackupText);
        return false;
    }
    char question[sizeof(ConfirmRestoreFormat) + 5 * sizeof(int) * CHAR_BIT];
    wsprintfA(question, ConfirmRestoreFormat, written.wYear, written.wMonth, written.wDay,
              written.wHour, written.wMinute);
    return Ask(WithChanges(question, model.RestoreChanges()).c_str(), ConfirmRestoreCaption,
               MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void Questions::Tell(const ModelResult& result, UserAction action) {
    if (result.step == WriteReadOnly) {
        TellReadOnly(ReadOnlyRefusalText);
        return;
    }
    if (result.step == WriteNoChanges) {
        Ask(NoChangesText, NoChangesCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    for (const Failure& failure : Failures) {
        if (failure.step != result.step || failure.action != action) {
            continue;
        }
        if (!failure.text && result.step != WriteFailed) {
            ShowError(failure.code);
            return;
        }
        std::string text = failure.code != E8Success ? ErrorMessageTable[failure.code] : "";
        text += failure.text ? (text.empty() ? "" : "\n\n") + std::string(failure.text) : "";
        ShowErrorText(result.step == WriteFailed ? DescribeFileFailure(text, result.file) : text);
        return;
    }
    ShowError(E8Unknown);
}

void Questions::ShowError(int code) {
    if (code < 0 || code >= E8ErrorCount) {
        code = E8Unknown;
    }
    ShowErrorText(ErrorMessageTable[code]);
    if (code == E8InstallationNotFound) {
        owner.Post(WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    }
}

void Questions::ShowErrorText(const std::string& text) {
    Ask(text.c_str(), ErrorCaption, MB_OK | MB_ICONERROR);
}

void Questions::TellReadOnly(const wchar_t* before) {
    const Loop loop(*this);
    MessageBoxW(owner.GetHandle(), (std::wstring(before) + CodePageNoticeText).c_str(),
                CodePageCaption, MB_OK | MB_ICONWARNING);
}

const wchar_t* Questions::RefusalText(ModelStep step) {
    switch (step) {
    case NameTooLong:
        return TooLongTipText;
    case NameComment:
        return CommentTipText;
    case NameControl:
        return ControlTipText;
    case NameNotInCodePage:
        return NotInCodePageTipText;
    default:
        // The box of a device that cannot be named, or of a model that only shows, is disabled.
        return NotStoredTipText;
    }
}
