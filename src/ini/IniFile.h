#pragma once

#include "ini/IniSection.h"
#include "ini/StatusCode.h"
#include "ini/TextFile.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FileResult;

// An INI document bound to the file it was read from, so that it can be written back there.
// Sections keep the order of their headers (until Write sorts them); a name that occurs twice
// gives two sections.
class IniFile {
public:
    IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    // Drops the sections and the stream without Close: the file is left exactly as it is.
    ~IniFile();

    // Binds the file and reads it, after a UTF-8 byte-order mark at its very start: StatusOk,
    // StatusOpenFailed, StatusNoSection (the file stays open), or StatusReadFailed. A file that
    // can only be read (read-only, or held by another program that denies writing) is bound
    // for reading: its entries are read, and Write then fails without touching it.
    StatusCode Open(const char* path);
    // Reads bytes as the text of a file, bound to none: StatusOk or StatusNoSection.
    StatusCode Read(const std::string& bytes);
    // Drops every section and closes the file. The stream object stays.
    StatusCode Close();
    // The first section whose name equals name ignoring case, or null.
    IniSection* FindSection(const char* name);
    const IniSection* FindSection(const char* name) const;
    // Replaces the file's content with the document, as one step (ReplaceFileBytes: the old
    // content stays as a backup; a file that already holds the bytes is left untouched).
    // StatusOk, or StatusWriteFailed when the file could not be replaced: it then keeps its old
    // bytes and the document stays bound to it. result, when given, gets the replacement's
    // result; without a bound file, FileLocked with ERROR_INVALID_HANDLE.
    StatusCode Write(bool sortSections, FileResult* result = nullptr);
    // The bytes Write puts into the file: the sections, sorted by name when sortSections, in
    // the writer's layout with CR LF line ends.
    std::string Text(bool sortSections);
    // The bound file's full path, or null when no file was ever opened.
    char* FullPath(char* buffer, int size, char** namePart = nullptr);
    // The open stream, or null when no file is bound.
    FILE* NativeHandle();

    // Reads the rest of the open file into sections: StatusOk, StatusNoSection, or
    // StatusReadFailed (the sections read by this call are dropped).
    StatusCode Parse();
    StatusCode Parse(TextStream& source);
    // Appends section and takes ownership of it.
    StatusCode AddSection(IniSection* section);
    // Drops section, which the document owns; StatusOk, or StatusNoSection when it holds no
    // such section.
    StatusCode RemoveSection(const IniSection* section);
    // Orders the sections by name ignoring case; sections of equal names keep their order.
    StatusCode SortSections();

    std::size_t SectionCount() const { return sections.size(); }
    IniSection* Section(std::size_t index) { return sections[index].get(); }
    const IniSection* Section(std::size_t index) const { return sections[index].get(); }

private:
    std::unique_ptr<TextFile> stream;
    std::vector<std::unique_ptr<IniSection>> sections;
};
