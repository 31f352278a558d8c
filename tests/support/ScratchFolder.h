#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
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
        unsigned n = GetTickCount() ^ GetCurrentProcessId();
        do {
            folder = std::string(base) + "varnel" + std::to_string(n++ % 100000) + "\\";
        } while (!CreateDirectoryA(folder.c_str(), nullptr));
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The full path of name in the folder; the folder's own path ends in a backslash.
    std::string Path(const std::string& name = "") const { return folder + name; }

    // Names of what the folder holds.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::string folder;
};

// The paths of the files in folder whose names end in extension, in order.
inline std::vector<std::string> FilesIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == extension) {
            paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The bytes of a file, untranslated; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// text with every from replaced by to.
inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    return file.write(bytes.data(), bytes.size()) && file.flush();
}
