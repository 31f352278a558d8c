#include "dialogs/FileDialog.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "ini/AnsiText.h"
#include "ini/NoCaseLess.h"

namespace {

bool FitsPath(size_t length) {
    return length < MAX_PATH;
}

// A trail byte of a double-byte character may be 0x5C; only a real backslash counts.
bool EndsWithBackslash(const std::string& text) {
    const char* last = FindLastAnsiChar(text.c_str(), '\\');
    return last && last[1] == '\0';
}

} // namespace

FileDialog::FileDialog() {
    ZeroMemory(&record, sizeof(record));
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
}

HWND FileDialog::SetOwner(HWND owner) {
    const HWND previous = record.hwndOwner;
    record.hwndOwner = owner;
    return previous;
}

void FileDialog::SetFilter(const char* bytes, int length) {
    filter.clear();
    if (length < 0 || (!bytes && length > 0)) {
        return;
    }
    filter.assign(bytes, bytes + length);
    filter.push_back('\0');
    filter.push_back('\0');
}

const char* FileDialog::Selection(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= selections.size()) {
        return nullptr;
    }
    return selections[index].c_str();
}

int FileDialog::Run(DWORD filterIndex, const char* initialFile, LPOFNHOOKPROC hook) {
    std::vector<char> buffer(FileBufferSize + 1, '\0');
    selections.clear();
    if (initialFile) {
        std::string startDirectory, name;
        if (!SplitInitialFile(initialDirectory, initialFile, startDirectory, name)) {
            record.Flags &= ~OFN_ENABLEHOOK;
            return 0;
        }
        initialDirectory = startDirectory;
        std::memcpy(buffer.data(), name.c_str(), name.size());
    }

    record.lpstrTitle =
        !title.empty() ? title.c_str() : (mode ? DefaultOpenTitle : DefaultSaveTitle);
    record.lpstrInitialDir = initialDirectory.c_str();
    record.lpstrFilter = filter.empty() ? nullptr : filter.data();
    record.nFilterIndex = filterIndex;
    record.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    // A flag left set without a hook would make the dialog call a null procedure.
    record.Flags &= ~OFN_ENABLEHOOK;
    record.lpfnHook = hook;
    if (hook) {
        record.Flags |= OFN_ENABLEHOOK;
    }
    record.lpstrFile = buffer.data();
    record.nMaxFile = FileBufferSize;

    const BOOL chosen = mode ? GetOpenFileNameA(&record) : GetSaveFileNameA(&record);
    record.Flags &= ~OFN_ENABLEHOOK;
    record.lpfnHook = nullptr;
    record.lpstrFile = nullptr;
    record.nMaxFile = 0;
    if (!chosen) {
        return 0;
    }
    std::vector<std::string> paths;
    if (!ReadSelections(buffer.data(), buffer.size(), GetFileAttributesA(buffer.data()),
                        record.nFileOffset, initialDirectory, paths)) {
        return 0;
    }
    selections.swap(paths);
    return static_cast<int>(selections.size());
}

bool FileDialog::ReadSelections(const char* buffer, size_t size, DWORD attributes, WORD fileOffset,
                                std::string& directory, std::vector<std::string>& paths) {
    const std::string first(buffer, strnlen(buffer, size));
    if (!FitsPath(first.size())) {
        return false;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        paths.assign(1, first);
        if (fileOffset >= 1 && fileOffset <= first.size()) {
            directory = first.substr(0, fileOffset - 1u);
        }
        return true;
    }

    const std::string prefix = EndsWithBackslash(first) ? first : first + '\\';
    std::vector<std::string> composed;
    for (size_t at = first.size() + 1; at < size && buffer[at] != '\0';) {
        const size_t length = strnlen(buffer + at, size - at);
        composed.push_back(prefix + std::string(buffer + at, length));
        if (!FitsPath(composed.back().size())) {
            return false;
        }
        at += length + 1;
    }
    std::sort(composed.begin(), composed.end(), NoCaseLess());
    paths.swap(composed);
    directory = first;
    return true;
}

bool FileDialog::SplitInitialFile(const std::string& directory, const char* file,
                                  std::string& startDirectory, std::string& name) {
    const size_t fileLength = std::strlen(file);
    if (!FitsPath(directory.size()) || !FitsPath(fileLength) ||
        (PathIsRelativeA(file) && !FitsPath(directory.size() + 1 + fileLength))) {
        return false;
    }
    char combined[MAX_PATH] = {};
    if (!PathCombineA(combined, directory.c_str(), file)) {
        return false;
    }
    const char* namePart = PathFindFileNameA(combined);
    size_t cut = static_cast<size_t>(namePart - combined);
    if (cut > 0 && (combined[cut - 1] == '\\' || combined[cut - 1] == '/')) {
        --cut;
    }
    startDirectory.assign(combined, cut);
    name = namePart;
    return true;
}
