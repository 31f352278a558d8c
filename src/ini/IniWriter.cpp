#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "ini/IniSection.h"
#include "ini/TextFile.h"

#include <algorithm>
#include <string>

namespace {

// "[name]", one line per entry with every "=" of the section in one column, three empty lines.
void AppendSection(const IniSection& section, std::string& text) {
    text += '[';
    text += section.Name();
    text += "]\n";
    const std::size_t width = static_cast<std::size_t>(section.MaxKeyLength()) + 1;
    for (const auto& [key, value] : section) {
        text += key;
        text.append(width - key.size(), ' ');
        text += "= ";
        text += value;
        text += '\n';
    }
    text += "\n\n\n";
}

} // namespace

int IniSection::MaxKeyLength() const {
    std::size_t longest = 0;
    for (const auto& entry : entries) {
        longest = std::max(longest, entry.first.size());
    }
    return static_cast<int>(longest);
}

StatusCode IniFile::SortSections() {
    std::stable_sort(sections.begin(), sections.end(), [](const auto& a, const auto& b) {
        return NoCaseLess()(a->Name(), b->Name());
    });
    return StatusOk;
}

StatusCode IniFile::Write(bool sortSections) {
    if (!NativeHandle()) {
        return 0;
    }
    if (sortSections) {
        SortSections();
    }
    char path[MAX_PATH];
    if (!stream->FullPath(path, MAX_PATH)) {
        return 0;
    }
    // Our own handle does not share deletion, so the file cannot be replaced while it is open.
    // At the end of the file the close cuts nothing.
    stream->Seek(0, SEEK_END);
    stream->Close();
    const bool replaced = WriteReplacement(path);
    if (stream->Open(path, "r+") == 0) {
        stream->Seek(0, SEEK_END);
    }
    return replaced ? StatusOk : 0;
}

bool IniFile::WriteReplacement(const char* path) const {
    FileReplacement replacement(path);
    if (!replacement.Begin()) {
        return false;
    }
    // Declared after the replacement, so that on failure its handle is released before the
    // replacement removes the file.
    TextFile temporary;
    if (temporary.Open(replacement.TemporaryPath(), "w") != 0) {
        return false;
    }
    std::string text;
    for (const auto& section : sections) {
        text.clear();
        AppendSection(*section, text);
        if (temporary.WriteText(text.c_str(), 0) < 0) {
            return false;
        }
    }
    if (temporary.Flush() != 0 || temporary.Close() != 0) {
        return false;
    }
    return replacement.Commit();
}
