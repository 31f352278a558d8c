#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

// The common open and save file dialogs. Each successful run leaves the directory of its
// choice as the next run's starting directory; a multiple selection comes back as full paths
// sorted by NoCaseLess. No path longer than MAX_PATH - 1 bytes is ever handed out.
class FileDialog {
public:
    static constexpr DWORD FileBufferSize = 2048;
    static constexpr const char* DefaultOpenTitle =
        "おとうさまっ！開くファイル名を指定して欲しいのっ。";
    static constexpr const char* DefaultSaveTitle =
        "ご主人さまっ。保存するファイル名のご指示をお願いしたしますわ。";

    FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    HWND SetOwner(HWND owner);
    DWORD Flags() const { return record.Flags; }
    void SetFlags(DWORD flags) { record.Flags = flags; }
    // Stores the description and pattern pairs plus two NULs, so the last terminator is optional.
    void SetFilter(const char* bytes, int length);
    // Number of chosen paths; 0 when cancelled, failed or refused.
    int Run(DWORD filterIndex, const char* initialFile, LPOFNHOOKPROC hook);
    // Null when index is not below the number of selections.
    const char* Selection(int index) const;

    const std::string& InitialDirectory() const { return initialDirectory; }
    const std::vector<char>& Filter() const { return filter; }

    // What a successful run left in the file name buffer: one full path (fileOffset is where
    // its name starts), or, when `attributes` of the first string say directory, that directory
    // followed by names and an empty string. False, changing nothing, when a path would not fit.
    static bool ReadSelections(const char* buffer, size_t size, DWORD attributes, WORD fileOffset,
                               std::string& directory, std::vector<std::string>& paths);
    // The directory a run starts in and the name it proposes for `file` taken relative to
    // `directory`. False when the combination does not fit in MAX_PATH.
    static bool SplitInitialFile(const std::string& directory, const char* file,
                                 std::string& startDirectory, std::string& name);

private:
    std::vector<char> filter; // empty: none set
    std::string title;
    std::string initialDirectory;
    std::string defaultExtension;
    OPENFILENAMEA record;
    int mode = 1; // non-zero: open, zero: save
    std::vector<std::string> selections;
};
