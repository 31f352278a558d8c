#include "ini/IniFile.h"

#include <windows.h>

IniFile::IniFile() = default;

IniFile::~IniFile() = default;

StatusCode IniFile::Close() {
    sections.clear();
    if (stream) {
        stream->Close();
    }
    return StatusOk;
}

IniSection* IniFile::FindSection(const char* name) {
    return const_cast<IniSection*>(static_cast<const IniFile*>(this)->FindSection(name));
}

const IniSection* IniFile::FindSection(const char* name) const {
    for (const auto& section : sections) {
        if (lstrcmpiA(section->Name(), name) == 0) {
            return section.get();
        }
    }
    return nullptr;
}

char* IniFile::FullPath(char* buffer, int size, char** namePart) {
    return stream ? stream->FullPath(buffer, size, namePart) : nullptr;
}

FILE* IniFile::NativeHandle() {
    return stream ? stream->NativeHandle() : nullptr;
}

StatusCode IniFile::AddSection(IniSection* section) {
    sections.emplace_back(section);
    return StatusOk;
}

StatusCode IniFile::RemoveSection(const IniSection* section) {
    for (auto it = sections.begin(); it != sections.end(); ++it) {
        if (it->get() == section) {
            sections.erase(it);
            return StatusOk;
        }
    }
    return StatusNoSection;
}
