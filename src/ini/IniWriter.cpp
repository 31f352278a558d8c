#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "ini/IniSection.h"
#include "ini/NoCaseLess.h"
#include "ini/TextFile.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A key that starts like a header would read back as one, taking every line below it into
// another section; the reader trims the blank put before it.
std::size_t Indent(std::string_view key) {
    return !key.empty() && key[0] == '[' ? 1 : 0;
}

// "[name]", one line per entry with every "=" of the section in one column, three empty lines.
void AppendSection(const IniSection& section, std::string& text) {
    text += '[';
    text += section.Name();
    text += "]\n";
    std::size_t width = 0;
    for (const auto& entry : section) {
        width = std::max(width, Indent(entry.first) + entry.first.size() + 1);
    }
    for (const auto& [key, value] : section) {
        text.append(Indent(key), ' ');
        text += key;
        text.append(width - Indent(key) - key.size(), ' ');
        text += "= ";
        text += value;
        text += '\n';
    }
    text += "\n\n\n";
}

// The bytes a text-mode stream writes for text: every line feed becomes CR LF.
std::string WithCrLf(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

} // namespace

StatusCode IniFile::SortSections() {
    std::stable_sort(sections.begin(), sections.end(), [](const auto& a, const auto& b) {
        return NoCaseLess()(a->Name(), b->Name());
    });
    return StatusOk;
}

std::string IniFile::Text(bool sortSections) {
    if (sortSections) {
        SortSections();
    }
    std::string text;
    for (const auto& section : sections) {
        AppendSection(*section, text);
    }
    return WithCrLf(text);
}

StatusCode IniFile::Write(bool sortSections, FileResult* result) {
    FileResult unused;
    FileResult& replaced = result ? *result : unused;
    char path[MAX_PATH];
    if (!NativeHandle() || !stream->FullPath(path, MAX_PATH)) {
        replaced = {FileLocked, ERROR_INVALID_HANDLE};
        return StatusWriteFailed;
    }
    // Built whole before the disk is touched: whatever fails here leaves the file and the
    // document as they were.
    const std::string bytes = Text(sortSections);
    replaced = ReplaceFileBytes(path, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (!replaced) {
        return StatusWriteFailed;
    }
    // Our handle went with the old content to the backup, unless the file already held the
    // bytes; bind the file now at the path. Should that fail, the old handle stays and the
    // document stays bound to the path.
    stream->Open(path, "r+");
    return StatusOk;
}
