#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh folder below the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
            folder = std::string(base) + "varnel" + std::to_string(n % 100000) + "\\";
            if (CreateDirectoryA(folder.c_str(), nullptr)) {
                break;
            }
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        for (const std::string& name : Files()) {
            DeleteFileA(Path(name).c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }

    // The full path of name in the folder; the folder's own path ends in a backslash.
    std::string Path(const std::string& name = "") const { return folder + name; }

    // Names of the files in the folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more;
             more = FindNextFileA(search, &found)) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(found.cFileName);
            }
        }
        FindClose(search);
        return names;
    }

private:
    std::string folder;
};

// The bytes of a file, untranslated; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    return file.write(bytes.data(), bytes.size()) && file.flush();
}
