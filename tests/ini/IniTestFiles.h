#pragma once

#include "ini/IniFile.h"
#include "support/ScratchFolder.h"

#include <string>
#include <utility>
#include <vector>

// The bytes of res/DrvShortName.ini.
inline std::string DefaultText() {
    return ReadBytes(VARNEL_DEFAULT_TEXT);
}

// A document as plain values: section names in order, each with its entries in key order.
using Entries = std::vector<std::pair<std::string, std::string>>;
using Document = std::vector<std::pair<std::string, Entries>>;

inline Document Snapshot(const IniFile& ini) {
    Document document;
    for (std::size_t i = 0; i < ini.SectionCount(); ++i) {
        const IniSection& section = *ini.Section(i);
        document.emplace_back(section.Name(), Entries(section.begin(), section.end()));
    }
    return document;
}

// Double-byte characters ending in 0x5B, 0x5C or 0x5D ("ゼ", "ソ", "ゾ", "表", "ー", "―"),
// "出力", a half-width katakana, and single bytes that mean something to the format.
inline const std::vector<std::string> Pieces = {
    "a",        "B",        "z",        "Q",        "0",        "-",
    "#",        "[",        "\\",       " ",        "\t",       "\x83\x5B",
    "\x83\x5C", "\x83\x5D", "\x95\x5C", "\x81\x5B", "\x81\x5C", "\x8F\x6F\x97\xCD",
    "\xB1",     "]",        "=",        ";",
};

// "name:entries" of every section in order, joined by "|".
inline std::string Summary(const Document& document) {
    std::string text;
    for (const auto& [name, entries] : document) {
        text += (text.empty() ? "" : "|") + name + ':' + std::to_string(entries.size());
    }
    return text;
}

// Writes bytes to name in folder and opens it; the document's status goes to status.
inline Document Load(const ScratchFolder& folder, const std::string& bytes, IniFile& ini,
                     StatusCode& status, const std::string& name = "test.ini") {
    ini.Close();
    WriteBytes(folder.Path(name), bytes);
    status = ini.Open(folder.Path(name).c_str());
    return Snapshot(ini);
}

inline Document Load(const ScratchFolder& folder, const std::string& bytes) {
    IniFile ini;
    StatusCode status;
    return Load(folder, bytes, ini, status);
}
