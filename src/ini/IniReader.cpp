#include "ini/IniReader.h"

#include "ini/AnsiText.h"
#include "ini/FileOperations.h"
#include "ini/IniFile.h"
#include "ini/IniSection.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// One read delivers at most 2047 bytes; the rest of a longer line comes as the next line.
constexpr int LineCount = 2048;

bool IsTrailingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// A header begins with "[" and names what stands before the first "]" after it; whatever
// follows the "]" is ignored.
bool IsHeader(const char* line, std::string& name) {
    if (line[0] != '[') {
        return false;
    }
    const char* close = FindAnsiChar(line + 1, ']');
    if (!close) {
        return false;
    }
    name.assign(line + 1, close);
    return true;
}

// 1 for a line, 0 at the end of the file, -1 for a read error: a read that fails without
// reaching the end would otherwise fail the same way for ever. The line ends at a NUL byte.
int NextLine(TextStream& stream, char (&line)[LineCount]) {
    line[0] = '\0';
    if (stream.ReadLine(line, LineCount) != 0) {
        return 1;
    }
    return stream.AtEnd() ? 0 : -1;
}

// An editor that saves as UTF-8 may put a byte-order mark before the first header, which
// would otherwise hide that header and drop its section on the next save.
void SkipByteOrderMark(TextStream& stream) {
    char start[4];
    if (!stream.ReadLine(start, sizeof start) || std::strcmp(start, "\xEF\xBB\xBF") != 0) {
        stream.Seek(0, SEEK_SET);
    }
}

} // namespace

char* TrimField(char* text) {
    // Neither a blank nor a tab is ever a lead byte, so the leading run can be taken bytewise.
    char* start = text;
    while (*start == ' ' || *start == '\t') {
        ++start;
    }
    if (*start == '\0') {
        return nullptr;
    }
    char* trailing = nullptr;
    for (char* p = start; *p != '\0'; p = NextAnsiChar(p)) {
        if (!IsTrailingBlank(*p)) {
            trailing = nullptr;
        } else if (!trailing) {
            trailing = p;
        }
    }
    if (trailing) {
        *trailing = '\0';
    }
    // Blanks before a line feed are blanks only: a key of them would be written as a line that
    // reads back as none.
    return *start != '\0' ? start : nullptr;
}

namespace {

// Loads the entry of line, which it cuts up, into section; StatusNoKey when line holds no key.
StatusCode ParseLine(char* line, IniSection& section) {
    // One pass finds both: the ";" that starts a comment, and the first "=" before it.
    char* equals = nullptr;
    for (char* p = line; *p != '\0'; p = NextAnsiChar(p)) {
        if (*p == ';') {
            *p = '\0';
            break;
        }
        if (*p == '=' && !equals) {
            equals = p;
        }
    }
    const char* key;
    const char* value;
    if (equals) {
        *equals = '\0';
        key = TrimField(line);
        value = TrimField(equals + 1);
        if (!value) {
            value = "";
        }
    } else {
        key = value = TrimField(line);
    }
    if (!key) {
        return StatusNoKey;
    }
    return section.Load(key, value);
}

// Bytes read as the text-mode stream reads a file: CR LF comes as LF, and a Ctrl-Z ends it.
class BytesStream : public TextStream {
public:
    explicit BytesStream(const std::string& bytes) {
        for (const char c : bytes.substr(0, bytes.find('\x1A'))) {
            if (c == '\n' && !text.empty() && text.back() == '\r') {
                text.back() = '\n';
            } else {
                text += c;
            }
        }
    }

    // fgets: up to size - 1 bytes or through the line feed; the end of the text when it comes
    // before a line feed.
    int ReadLine(char* buffer, int size) override {
        if (size < 1 || at >= text.size()) {
            end = true;
            return 0;
        }
        const std::size_t line = text.find('\n', at);
        const std::size_t count =
            std::min(line == std::string::npos ? text.size() - at : line + 1 - at,
                     static_cast<std::size_t>(size - 1));
        text.copy(buffer, count, at);
        buffer[count] = '\0';
        at += count;
        // As fgets, which stops at a full buffer before it looks for more.
        end = line == std::string::npos && count < static_cast<std::size_t>(size - 1);
        return 1;
    }
    int Seek(std::int32_t offset, int origin) override {
        at = origin == SEEK_SET ? static_cast<std::size_t>(offset) : at;
        end = false;
        return 0;
    }
    int AtEnd() override { return end; }

private:
    std::string text;
    std::size_t at = 0;
    bool end = false;
};

} // namespace

StatusCode IniFile::Read(const std::string& bytes) {
    Close();
    BytesStream text(bytes);
    SkipByteOrderMark(text);
    return Parse(text);
}

StatusCode IniFile::Open(const char* path) {
    char fullPath[MAX_PATH];
    if (!ResolveFullPath(path, fullPath)) {
        return StatusOpenFailed;
    }
    Close();
    auto file = std::make_unique<TextFile>();
    // A file we may not write still shows its names; writing it fails later, untouched.
    if (file->Open(fullPath, "r+") < 0 && file->Open(fullPath, "r") < 0) {
        return StatusOpenFailed;
    }
    stream = std::move(file);
    SkipByteOrderMark(*stream);
    const StatusCode status = Parse();
    if (status == StatusReadFailed) {
        stream.reset();
    }
    return status;
}

StatusCode IniFile::Parse() {
    return stream ? Parse(*stream) : StatusNoSection;
}

StatusCode IniFile::Parse(TextStream& source) {
    const std::size_t sectionsBefore = sections.size();
    char line[LineCount];
    std::string name;
    int got;
    while ((got = NextLine(source, line)) > 0 && !IsHeader(line, name)) {
    }
    if (got >= 0 && source.AtEnd()) {
        return StatusNoSection;
    }
    auto section = std::make_unique<IniSection>();
    section->SetName(name.c_str());
    while (got >= 0 && (got = NextLine(source, line)) > 0) {
        if (IsHeader(line, name)) {
            section->Settle();
            AddSection(section.release());
            section = std::make_unique<IniSection>();
            section->SetName(name.c_str());
        } else if (std::strcmp(line, "\n") != 0) {
            ParseLine(line, *section);
        }
    }
    if (got < 0) {
        sections.resize(sectionsBefore);
        return StatusReadFailed;
    }
    section->Settle();
    AddSection(section.release());
    return StatusOk;
}
