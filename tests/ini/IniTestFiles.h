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
