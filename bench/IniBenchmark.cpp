// Measures the INI layer against the platform's profile functions on the same files and
// prints the medians of repeated runs.
//
//     VarnelBench.exe <default text> [<Varnel.exe> <EmptyDialog.exe> <PlatformDialog.exe>]
//
// Given the three programs, it also times Varnel's start-up (StartupBenchmark).

#include "StartupBenchmark.h"
#include "Stopwatch.h"

#include "ini/IniFile.h"
#include "support/ScratchFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

const char MidiOut[] = "Midi Out";

// Shaped like the default text: "Midi Out" with every entry but eight, then "Wave Out" with
// eight. The keys come in key order, as every save leaves them, or shuffled.
std::string GeneratedText(int entries, bool shuffled) {
    std::vector<int> order(entries - 8);
    for (int i = 0; i < int(order.size()); ++i) {
        order[i] = i;
    }
    if (shuffled) {
        std::shuffle(order.begin(), order.end(), std::mt19937(entries));
    }
    std::string text = "[Midi Out]\r\n";
    char line[96];
    for (int n : order) {
        std::snprintf(line, sizeof line, "MIDI Device %06d Port %d=Dev %d\r\n", n, n % 16, n);
        text += line;
    }
    text += "\r\n[Wave Out]\r\n";
    for (int n = 1; n <= 8; ++n) {
        std::snprintf(line, sizeof line, "Wave Device %d=Wave %d\r\n", n, n);
        text += line;
    }
    return text;
}

// NUL-separated strings in a buffer that ends in two NULs.
std::vector<std::string> SplitNulList(const char* list) {
    std::vector<std::string> items;
    for (const char* p = list; *p; p += items.back().size() + 1) {
        items.emplace_back(p);
    }
    return items;
}

struct Result {
    double ours;
    double profile;
    bool profileEstimated;
};

// Every run writes the file anew, which gives it a new modification time, so that no cached
// copy of it is used.
class Benchmark {
public:
    Benchmark(std::string path, std::string text) : path(std::move(path)), text(std::move(text)) {
        WriteBytes(this->path, this->text);
        IniFile ini;
        ini.Open(this->path.c_str());
        for (std::size_t i = 0; i < ini.SectionCount(); ++i) {
            entries += ini.Section(i)->EntryCount();
        }
        if (IniSection* midi = ini.FindSection(MidiOut)) {
            for (const auto& [key, value] : *midi) {
                changes.emplace_back(key, value + "*");
            }
        }
    }

    std::size_t Entries() const { return entries; }

    Result Load(int runs) {
        const double ours = Median(runs, [&] {
            WriteBytes(path, text);
            Stopwatch watch;
            IniFile ini;
            ini.Open(path.c_str());
            ini.Close();
            return watch.Milliseconds();
        });
        std::vector<char> buffer(text.size() + 16);
        std::size_t found = 0;
        const double profile = Median(runs, [&] {
            WriteBytes(path, text);
            Stopwatch watch;
            found = 0;
            std::vector<std::string> names;
            if (GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), path.c_str()) >
                0) {
                names = SplitNulList(buffer.data());
            }
            for (const std::string& name : names) {
                GetPrivateProfileSectionA(name.c_str(), buffer.data(), DWORD(buffer.size()),
                                          path.c_str());
                found += SplitNulList(buffer.data()).size();
            }
            return watch.Milliseconds();
        });
        Check(found == entries, "the profile functions read every entry");
        return {ours, profile, false};
    }

    // Changes every value of "Midi Out". The profile functions rewrite the file for every key;
    // on large files they change only sample keys, spread over the section, and the time is
    // scaled to all keys.
    Result Save(int runs, std::size_t sample) {
        const double ours = Median(runs, [&] {
            WriteBytes(path, text);
            IniFile ini;
            ini.Open(path.c_str());
            Stopwatch watch;
            IniSection* midi = ini.FindSection(MidiOut);
            for (const auto& [key, value] : changes) {
                midi->Set(key.c_str(), value.c_str());
            }
            const bool written = ini.Write(true) == StatusOk;
            ini.Close();
            const double elapsed = watch.Milliseconds();
            Check(written, "IniFile::Write succeeded");
            return elapsed;
        });
        CheckSaved(changes.size());

        const std::size_t step = sample < changes.size() ? changes.size() / sample : 1;
        const double profile = Median(runs, [&] {
            WriteBytes(path, text);
            Stopwatch watch;
            std::size_t written = 0;
            for (std::size_t i = 0; i < changes.size(); i += step, ++written) {
                WritePrivateProfileStringA(MidiOut, changes[i].first.c_str(),
                                           changes[i].second.c_str(), path.c_str());
            }
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
            return watch.Milliseconds() * double(changes.size()) / double(written);
        });
        if (step == 1) {
            CheckSaved(changes.size());
        }
        return {ours, profile, step > 1};
    }

private:
    static void Check(bool condition, const char* what) {
        if (!condition) {
            std::fprintf(stderr, "benchmark check failed: %s\n", what);
            std::exit(1);
        }
    }

    // The file as saved holds every new value.
    void CheckSaved(std::size_t expected) {
        IniFile ini;
        ini.Open(path.c_str());
        IniSection* midi = ini.FindSection(MidiOut);
        std::size_t saved = 0;
        for (const auto& [key, value] : changes) {
            const auto it = midi ? midi->Find(key.c_str()) : IniSection::iterator();
            saved += midi && it != midi->end() && it->second == value;
        }
        ini.Close();
        Check(saved == expected, "the save changed every key");
    }

    std::string path;
    std::string text;
    std::size_t entries = 0;
    std::vector<std::pair<std::string, std::string>> changes;
};

void PrintRow(const char* operation, const char* file, std::size_t entries, const Result& r) {
    std::printf("%-5s %-13s %8zu %10.2f %9.2f %12.2f%s %7.1fx\n", operation, file, entries, r.ours,
                1000.0 * r.ours / double(entries), r.profile, r.profileEstimated ? "*" : " ",
                r.profile / r.ours);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: VarnelBench <DrvShortName.ini> [<Varnel.exe> <EmptyDialog.exe> "
                     "<PlatformDialog.exe>]\n");
        return 2;
    }
    const std::string defaultText = ReadBytes(argv[1]);
    if (defaultText.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    ScratchFolder scratch;
    const std::string path = scratch.Path("DrvShortName.ini");

    std::printf("IniFile against the profile functions, median of repeated runs (%d-bit)\n",
                int(sizeof(void*) * 8));
    std::printf("%-5s %-13s %8s %10s %9s %13s %8s\n", "", "file", "entries", "ours ms", "us/entry",
                "profile ms", "ratio");
    struct Case {
        const char* name;
        std::string text;
        int runs;
        std::size_t profileSample;
    };
    const Case cases[] = {
        {"default text", defaultText, 21, SIZE_MAX},
        {"generated", GeneratedText(10000, false), 7, 200},
        {"generated", GeneratedText(100000, false), 5, 40},
        {"shuffled", GeneratedText(100000, true), 3, 40},
    };
    Result headline{};
    for (const Case& c : cases) {
        Benchmark benchmark(path, c.text);
        PrintRow("load", c.name, benchmark.Entries(), benchmark.Load(c.runs));
        const Result save = benchmark.Save(c.runs, c.profileSample);
        PrintRow("save", c.name, benchmark.Entries(), save);
        if (&c == &cases[0]) {
            headline = save;
        }
    }
    std::printf("* the profile functions changed a sample of the keys; the time is scaled to "
                "all keys\n");

    if (argc > 4 && !PrintStartup(argv[2], argv[3], argv[4])) {
        return 1;
    }

    std::printf("headline: saving the default text is %.1fx faster with IniFile (%.2f ms) than "
                "with WritePrivateProfileStringA (%.2f ms)\n",
                headline.profile / headline.ours, headline.ours, headline.profile);
    return 0;
}
