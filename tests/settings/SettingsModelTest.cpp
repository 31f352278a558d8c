// What must always hold of the model, whatever the user and the world do: seeded random
// sequences of actions (choose a row, type, take over, "..." to another folder, start again,
// another program writing, deleting or holding the file, a file operation failing, update,
// reset), each step checked against the invariants below. A failure prints its seed and steps;
// VARNEL_SEED=N replays seed N alone.
//   - A name read from the file that the user did not clear, replace or move is shown where it
//     was, or where the user moved it.
//   - After a successful save, the file reads back as exactly the names shown; the backup holds
//     the file as it was, unless nothing had to change.
//   - A failed save or reset changes nothing, on disk or in the model; no temporary file stays.
//   - Nothing is written without an edit, over a file that could not be read, over another
//     program's change without the user's yes, or outside the folder the model shows.

#include "settings/SettingsModel.h"

#include "support/FileFaults.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <sstream>

namespace {

// Present devices: renamed ones, double-byte ones, one whose name the file cannot hold.
struct Devices : DeviceSource {
    const std::vector<std::string> names[DeviceKindCount] = {
        {"YAMAHA CBX A Driver", "3- USB MIDI Cable", "Mix;A=B Out", "[Port] Out", "ＭＩＤＩ出力"},
        {"SW1000 #1 WAVE OUT", "Quiet Wave", "Padded Wave ", "SB16 WAVE 出力"}};
    unsigned Count(DeviceKind kind) override { return static_cast<unsigned>(names[kind].size()); }
    bool Name(DeviceKind kind, unsigned id, char* name) override {
        return lstrcpynA(name, names[kind][id].c_str(), NameSize) != nullptr;
    }
};

// Keys and short names that generated files and the user draw from.
const std::vector<std::string> Keys = {"yamaha cbx a driver", "2- USB MIDI Cable", "Mix",
                                       "[Port] Out",          "[Wave Out]",        "Stage Out",
                                       "ＭＩＤＩ出力",        "Quiet Wave",        "padded wave",
                                       "Absent Wave",         "SB16 WAVE 出力",    "表示"};
const std::vector<std::string> Texts = {"",
                                        "  ",
                                        "SW",
                                        " CBX A ",
                                        "ＳＷ１",
                                        "a;b",
                                        "tab\there",
                                        "１２３４５６７８９０１２３４５６",
                                        "0123456789012345678901234567890",
                                        "[x]",
                                        "UM"};

const std::vector<std::string>& Corpus() {
    static std::vector<std::string> files;
    if (!files.empty()) {
        return files;
    }
    files = {ReadBytes(VARNEL_DEFAULT_TEXT), "", "\xEF\xBB\xBF\r\n"};
    for (const char* folder : {VARNEL_TEST_DATA, VARNEL_TEST_DATA "dialog/"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".ini") {
                files.push_back(ReadBytes(entry.path().string()));
            }
        }
    }
    return files;
}

// A name read from the file, at home under its key or moved to another row; gone once the user
// cleared or replaced it.
struct Owed {
    DeviceKind kind;
    std::string home, value, at;
    bool gone = false;
};

// Everything the model shows.
struct View {
    std::string exe;
    SettingsFileState state = FileNone;
    DeviceNameMap present[DeviceKindCount], absent[DeviceKindCount];
    bool edits = false;
    bool SameNames(const View& o) const {
        return present[0] == o.present[0] && present[1] == o.present[1] &&
               absent[0] == o.absent[0] && absent[1] == o.absent[1];
    }
    bool operator==(const View& o) const {
        return exe == o.exe && state == o.state && SameNames(o) && edits == o.edits;
    }
};

View ViewOf(const SettingsModel& model) {
    return {model.ExecutablePath(),
            model.FileState(),
            {model.Present(MidiOut), model.Present(WaveOut)},
            {model.Absent(MidiOut), model.Absent(WaveOut)},
            model.HasEdits()};
}

// The names a read file gives, as the model reads them: per kind, key -> short name, empty ones
// left out.
std::vector<DeviceNameMap> NamesIn(IniFile& ini) {
    std::vector<DeviceNameMap> names(DeviceKindCount);
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        if (const IniSection* section = ini.FindSection(DeviceKindSection[kind])) {
            for (const auto& [key, value] : *section) {
                if (!FitShortName(value.c_str()).empty()) {
                    names[kind][key] = FitShortName(value.c_str());
                }
            }
        }
    }
    return names;
}

class World {
public:
    World(unsigned seed) : random(seed), corpus(Corpus()) {
        for (ScratchFolder* folder : {&a, &b}) {
            WriteBytes(folder->Path("XGworks.exe"), "");
        }
        for (int i = 0; i < 4; ++i) {
            corpus.push_back(Generated());
        }
        for (ScratchFolder* folder : {&a, &b, &c}) {
            Put(*folder, Pick(corpus));
        }
        Open(a.Path("XGworks.exe"));
    }
    ~World() { Release(); }

    // One random action and its checks; false once an invariant failed.
    bool Step() {
        const View before = ViewOf(*model);
        const int action = Below(100);
        const DeviceKind kind = static_cast<DeviceKind>(Below(2));
        if (action < 30) {
            // Often what the row held when read: a name typed back is no edit.
            const std::string row = Row(kind);
            const std::string* read = ShownBefore(kind, row);
            const std::string text = read && Below(3) == 0 ? *read : Pick(Texts);
            Log(std::string(kind ? "wave" : "midi") + ": type " + row + " <" + text + ">");
            const std::string* old = model->ShortNameOf(kind, row);
            const std::string was = old ? *old : "";
            if (!model->SetName(kind, row, text)) {
                Expect(ViewOf(*model) == before, "a refused name changed the model");
            } else if (StoredShortName(text) != was) {
                for (Owed& owed : ledger) {
                    owed.gone |= owed.kind == kind && owed.at == row;
                }
            }
        } else if (action < 50) {
            TakeOver(kind, before);
        } else if (action < 56) {
            const std::string path =
                Pick(std::vector<std::string>{a.Path("XGworks.exe"), b.Path("XGworks.exe"),
                                              c.Path("XGworks.exe"), "XGworks.exe"});
            Log("open " + path);
            Open(path, before);
        } else if (action < 60) {
            // A folder without XGworks.exe that lost its file is no longer one to start in.
            if (Known(current)) {
                Log("start again");
                model = std::make_unique<SettingsModel>(devices);
                Open(current, before);
            }
        } else if (action < 72) {
            Other(before);
        } else if (action < 88) {
            Write(false, before);
        } else {
            Write(true, before);
        }
        CheckLedger();
        // The disk after the steps that may touch it: names alone never do.
        for (ScratchFolder* folder : {&a, &b, &c}) {
            if (action < 50) {
                break;
            }
            const std::string path = folder->Path("DrvShortName.ini");
            Expect(ReadBytes(path) == disk[path] && ReadBytes(path + BackupSuffix) == backup[path],
                   "a file changed that nothing wrote: " + path + " (" +
                       std::to_string(ReadBytes(path).size()) + " bytes, " +
                       std::to_string(ReadBytes(path + BackupSuffix).size()) + " in the backup)");
            for (const std::string& name : folder->Files()) {
                Expect(Same(name, "XGworks.exe") || Same(name, "DrvShortName.ini") ||
                           Same(name, "DrvShortName.ini.bak"),
                       "a temporary file stayed: " + name);
            }
        }
        return !failed;
    }

    const std::string& Steps() const { return steps; }

private:
    int Below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<int>(items.size()))];
    }
    static bool Same(const std::string& x, const std::string& y) {
        return lstrcmpiA(x.c_str(), y.c_str()) == 0;
    }
    void Log(const std::string& step) { steps += "  " + step + "\n"; }
    void Expect(bool holds, const std::string& what) {
        if (!holds && !failed) {
            failed = true;
            steps += "FAILED: " + what + "\n";
        }
    }
    std::string SettingsPath() const {
        return current.substr(0, current.rfind('\\')) + "\\DrvShortName.ini";
    }
    void Put(ScratchFolder& folder, const std::string& bytes) {
        WriteBytes(folder.Path("DrvShortName.ini"), bytes);
        disk[folder.Path("DrvShortName.ini")] = bytes;
    }

    // Any row of a kind, present or not connected, or one the model does not have; as a user
    // does, often one touched before, or a present device.
    std::string Row(DeviceKind kind, bool presentOnly = false) {
        std::vector<std::string> rows = Keys;
        for (const DeviceNameMap* map : {&model->Present(kind), &model->Absent(kind)}) {
            for (const auto& entry : *map) {
                rows.push_back(entry.first);
            }
            if ((presentOnly || Below(3) == 0) && !map->empty()) {
                rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(Keys.size()));
                break;
            }
        }
        if (!recent[kind].empty() && Below(2) == 0) {
            return Canonical(kind, Pick(recent[kind]));
        }
        recent[kind].push_back(Canonical(kind, Pick(rows)));
        return recent[kind].back();
    }

    // A folder that holds XGworks.exe or its settings file.
    static bool Known(const std::string& path) {
        const std::string folder = path.substr(0, path.rfind('\\') + 1);
        return !folder.empty() &&
               (GetFileAttributesA((folder + "XGworks.exe").c_str()) != INVALID_FILE_ATTRIBUTES ||
                GetFileAttributesA((folder + "DrvShortName.ini").c_str()) !=
                    INVALID_FILE_ATTRIBUTES);
    }

    std::string Generated() {
        const std::vector<std::string> headers = {"[Midi Out]", "[Wave Out]", "[MIDI OUT]",
                                                  "  [Wave Out]", "[Other]"};
        std::string text;
        for (int line = Below(14); line-- > 0;) {
            text += (Below(4) == 0 ? Pick(headers) : Pick(Keys) + "=" + Pick(Texts)) + "\r\n";
        }
        return text;
    }

    void Open(const std::string& path, const View& before = View()) {
        const bool known = Known(path);
        if (!model) {
            model = std::make_unique<SettingsModel>(devices);
        }
        model->Open(path);
        if (!known) {
            Expect(ViewOf(*model) == before, "a refused folder changed the model");
            return;
        }
        current = path;
        Expect(model->ExecutablePath() == path, "the folder picked is not the one shown");
        Reload();
    }

    // What the user starts from after the file was read: the names owed, the file as read.
    void Reload(bool readMayFail = false) {
        const std::string path = SettingsPath();
        loaded = ReadDisk(path);
        IniFile ini;
        const StatusCode status = ini.Open(path.c_str());
        // Only blanks and line ends (after a byte-order mark) make an empty file, not an unreadable
        // one.
        const std::size_t text = loaded.bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        unreadable = loaded.exists && status != StatusOk &&
                     (status != StatusNoSection ||
                      loaded.bytes.find_first_not_of(" \t\r\n", text) != std::string::npos);
        shown = ViewOf(*model);
        ledger.clear();
        // A read that failed leaves the names on the disk, shown to nobody: none is lost.
        const bool readByModel = !readMayFail || model->FileState() == FileLoaded;
        std::vector<DeviceNameMap> names = status == StatusOk && readByModel
                                               ? NamesIn(ini)
                                               : std::vector<DeviceNameMap>(DeviceKindCount);
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            // Owed under the model's spelling, so that the checks compare bytes, not locales: the
            // file's for a name not connected, the device's for a present one.
            for (const auto& device : model->Present(static_cast<DeviceKind>(kind))) {
                const auto found = names[kind].find(device.first);
                if (found != names[kind].end()) {
                    ledger.push_back(
                        {static_cast<DeviceKind>(kind), device.first, found->second, device.first});
                    names[kind].erase(found);
                }
            }
            for (const auto& [key, value] : names[kind]) {
                ledger.push_back({static_cast<DeviceKind>(kind), key, value, key});
            }
        }
    }

    void TakeOver(DeviceKind kind, const View& before) {
        const std::string device = Row(kind, Below(5) != 0);
        const std::vector<std::string> choices = model->TakeOverChoices(kind, device);
        const std::string source = choices.empty() || Below(5) == 0 ? Row(kind) : Pick(choices);
        const bool consent = Below(2);
        Log(std::string(kind ? "wave" : "midi") + ": take over " + source + " -> " + device +
            (consent ? " (yes)" : ""));
        const std::vector<Owed> was = ledger;
        for (Owed& owed : ledger) {
            if (owed.kind != kind || owed.gone) {
                continue;
            }
            if (owed.at == device) {
                // A name moved here goes back where it came from if nothing else is there;
                // the device's own goes only with consent.
                const std::string* home = model->ShortNameOf(kind, owed.home);
                if (owed.home != device && home && home->empty()) {
                    owed.at = owed.home;
                } else {
                    owed.gone = consent;
                }
            } else if (owed.at == source) {
                owed.at = device;
            }
        }
        if (model->TakeOver(kind, device, source, consent) != TakenOver) {
            ledger = was;
            Expect(ViewOf(*model) == before, "a take-over not done changed the model");
        }
    }

    // Another program writes, deletes, holds or lets go of a file.
    void Other(const View& before) {
        ScratchFolder& folder = *Pick(std::vector<ScratchFolder*>{&a, &a, &b, &c});
        const std::string path = folder.Path("DrvShortName.ini");
        const int what = Below(5);
        Log(std::string("another program ") +
            (what < 2    ? "writes "
             : what == 2 ? "deletes "
             : what == 3 ? "holds "
                         : "lets go of ") +
            path);
        if (what < 2) {
            Release();
            Put(folder, Pick(corpus));
        } else if (what == 2) {
            // Moved away first: a file that Varnel holds open would stay until it lets go.
            Release();
            const std::string gone = trash.Path(std::to_string(++deleted));
            MoveFileExA(path.c_str(), gone.c_str(), MOVEFILE_REPLACE_EXISTING);
            DeleteFileA(gone.c_str());
            disk[path] = "";
        } else if (what == 3 && held == INVALID_HANDLE_VALUE) {
            held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               0, nullptr);
        } else {
            Release();
        }
        Expect(ViewOf(*model) == before, "another program's write changed the model");
    }
    void Release() {
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
            held = INVALID_HANDLE_VALUE;
        }
    }

    // An update or a reset as the dialog runs it, a file operation failing at a random step,
    // the question about another program's change answered at random.
    void Write(bool reset, const View& before) {
        Faults faults;
        faults.failAt = Below(3) == 0 ? 1 + Below(10) : 0;
        const bool yes = Below(3) != 0;
        // Where the user sees the folder: the only file a write may change.
        const std::string path = SettingsPath();
        const DiskState was = ReadDisk(path);
        const std::string text = ReadBytes(VARNEL_DEFAULT_TEXT);
        Log(std::string(reset ? "reset" : "update") + ", file operation " +
            std::to_string(faults.failAt) + " fails, " + (yes ? "yes" : "no") + " to a change");
        WriteResult result;
        bool asked = false;
        {
            FileOperations::Override failing(faults);
            DiskState agreed;
            for (int question = 0; question < 3; ++question) {
                result = reset ? model->Reset(text, question ? &agreed : nullptr)
                               : model->Save(question ? &agreed : nullptr);
                asked |= result.step == WriteChanged;
                if (result.step != WriteChanged || !yes) {
                    break;
                }
                agreed = result.disk;
            }
        }
        Log("  -> " + std::to_string(result.step) + ", replace step " +
            std::to_string(result.replace.step));
        if (!result) {
            Expect(ViewOf(*model) == before, "a save or reset that failed changed the model");
            return;
        }
        Expect(!reset || result.replace.step == ReplaceDone, "a reset that did not replace");
        Expect(reset || !shown.SameNames(before), "a save without an edit wrote");
        Expect(reset || !unreadable, "a save wrote over a file that could not be read");
        Expect(was == loaded || (yes && asked),
               "another program's change was written over unasked");
        const std::string now = ReadBytes(path);
        if (reset) {
            Expect(now == text, "a reset left other bytes than the default text");
        } else {
            IniFile ini;
            ini.Open(path.c_str());
            const std::vector<DeviceNameMap> names = NamesIn(ini);
            for (int kind = 0; kind < DeviceKindCount; ++kind) {
                DeviceNameMap expected;
                for (const DeviceNameMap* map : {&before.present[kind], &before.absent[kind]}) {
                    for (const auto& [name, shortName] : *map) {
                        if (!shortName.empty()) {
                            expected[name] = shortName;
                        }
                    }
                }
                Expect(names[kind].size() == expected.size() &&
                           std::equal(expected.begin(), expected.end(), names[kind].begin(),
                                      [](const auto& x, const auto& y) {
                                          return Same(x.first, y.first) && x.second == y.second;
                                      }),
                       "the file does not read back as the names shown");
            }
        }
        if (now != was.bytes && was.exists) {
            backup[path] = was.bytes;
        }
        disk[path] = now;
        // The model reads the file again inside the write, where an operation may have failed.
        Reload(faults.failAt > 0 && faults.count >= faults.failAt);
    }

    void CheckLedger() {
        std::unordered_map<std::string, const std::string*> shownAt[DeviceKindCount];
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            for (const DeviceNameMap* map : {&model->Present(static_cast<DeviceKind>(kind)),
                                             &model->Absent(static_cast<DeviceKind>(kind))}) {
                for (const auto& [name, shortName] : *map) {
                    shownAt[kind][name] = &shortName;
                }
            }
        }
        for (const Owed& owed : ledger) {
            const auto name = shownAt[owed.kind].find(owed.at);
            Expect(owed.gone || (name != shownAt[owed.kind].end() && *name->second == owed.value),
                   "lost the name " + owed.value + " of " + owed.home);
        }
    }

    // The short name a row had when the file was read, or null.
    const std::string* ShownBefore(DeviceKind kind, const std::string& row) const {
        for (const DeviceNameMap* map : {&shown.present[kind], &shown.absent[kind]}) {
            const auto found = map->find(row);
            if (found != map->end()) {
                return &found->second;
            }
        }
        return nullptr;
    }

    // The model's own spelling of a row, found as the model finds it; the row itself when the
    // model has none.
    std::string Canonical(DeviceKind kind, const std::string& row) const {
        for (const DeviceNameMap* map : {&model->Present(kind), &model->Absent(kind)}) {
            const auto found = map->find(row);
            if (found != map->end()) {
                return found->first;
            }
        }
        return row;
    }

    std::mt19937 random;
    std::vector<std::string> corpus;
    Devices devices;
    ScratchFolder a, b, c, trash;
    int deleted = 0;
    std::map<std::string, std::string> disk, backup;
    std::unique_ptr<SettingsModel> model;
    std::string current;
    DiskState loaded;
    bool unreadable = false;
    View shown;
    std::vector<Owed> ledger;
    std::vector<std::string> recent[DeviceKindCount];
    HANDLE held = INVALID_HANDLE_VALUE;
    std::string steps;
    bool failed = false;
};

// Ten seeds a test, so that each ends well within the watchdog's limit also under emulation.
using Sequences = testing::TestWithParam<unsigned>;

TEST_P(Sequences, NoneLosesAName) {
    const char* replay = std::getenv("VARNEL_SEED");
    const unsigned first = replay ? std::stoul(replay) : GetParam() * 10 + 1;
    const unsigned last = replay ? (GetParam() == 0 ? first : 0) : first + 9;
    for (unsigned seed = first; seed <= last; ++seed) {
        World world(seed);
        bool holds = true;
        for (int step = 0; step < 50 && holds; ++step) {
            holds = world.Step();
        }
        if (!holds) {
            ADD_FAILURE() << "seed " << seed << " (VARNEL_SEED=" << seed << " replays it):\n"
                          << world.Steps();
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SettingsModel, Sequences, testing::Range(0u, 5u));

} // namespace
