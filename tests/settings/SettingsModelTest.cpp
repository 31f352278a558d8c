// What must always hold of the model, whatever the user and the world do: seeded random
// sequences of actions (type or clear a name, take a name over and correct it, "..." to another
// folder, start again, another program writing, deleting or holding the file, a file operation
// failing, update, reset), each step checked against the invariants below. A failure prints its
// seed and steps; VARNEL_SEED=N replays seed N alone.
//   - A name read from the file that the user did not clear, replace or move is shown where it
//     was, or where the user moved it.
//   - After a save, the file reads back as exactly the names shown; the backup holds the file
//     as it was, unless nothing had to change.
//   - A failed save or reset changes nothing, on disk or in the model, and names its error; no
//     temporary file stays.
//   - Nothing is written without an edit, over a file that could not be read, over another
//     program's change without the user's yes, or outside the folder shown.

#include "settings/SettingsModel.h"

#include "support/FileFaults.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Present devices: renamed ones, double-byte ones, some whose names the file cannot hold; the
// system plugs in and out from the pool.
struct Devices : DeviceSource {
    std::vector<std::string> names[DeviceKindCount] = {
        {"YAMAHA CBX A Driver", "3- USB MIDI Cable", "Mix;A=B Out", "Two\nLines", "ＭＩＤＩ出力",
         "MIDIOUT2 (Stage Out)", "Stage Out (2)"},
        {"SW1000 #1 WAVE OUT", "Quiet Wave", "Padded Wave ", "SB16 WAVE 出力", "2- Absent Wave"}};
    const std::vector<std::string> pool[DeviceKindCount] = {
        {"YAMAHA CBX A Driver", "yamaha cbx a driver", "3- USB MIDI Cable", "USB MIDI Cable",
         "MIDIOUT2 (Stage Out)", "Stage Out (2)", "2- ＭＩＤＩ出力", "Mix", "Two\nLines"},
        {"Quiet Wave", "2- Quiet Wave", "Absent Wave", "MIDIOUT2 (Padded Wave)", "表示 (3)"}};
    unsigned Count(DeviceKind kind) override { return static_cast<unsigned>(names[kind].size()); }
    bool Name(DeviceKind kind, unsigned id, char* name) override {
        return lstrcpynA(name, names[kind][id].c_str(), NameSize) != nullptr;
    }
};

// No uninstall entry; the program's default text.
struct Defaults : Installation {
    bool Locate(std::string&) override { return false; }
    bool DefaultText(std::string& text) override {
        text = ReadBytes(VARNEL_DEFAULT_TEXT);
        return true;
    }
};

// What the user typed, as the box holds it.
std::wstring Typed(const std::string& text) {
    std::wstring typed(text.size(), L'\0');
    typed.resize(MultiByteToWideChar(XGworksCodePage, 0, text.data(), static_cast<int>(text.size()),
                                     &typed[0], static_cast<int>(typed.size())));
    return typed;
}

// clang-format off
// What generated files and the user draw from.
const std::vector<std::string> Keys = {"yamaha cbx a driver", "2- USB MIDI Cable", "Mix", "[Port] Out",
    "Stage Out", "ＭＩＤＩ出力", "Quiet Wave", "padded wave", "Absent Wave", "表示", "  [Wave Out]"};
const std::vector<std::string> Headers = {"[Midi Out]\r\n", "[Wave Out]\r\n"};
const std::vector<std::string> Texts = {"", "  ", "SW", " CBX A ", "ＳＷ１", "a;b", "tab\there", "[x]",
    "１２３４５６７８９０１２３４５６", "0123456789012345678901234567890", "UM"};
// Names that the devices bear renamed, some of them alike.
const std::string Renamed = "[Midi Out]\r\nStage Out=SO\r\n2- USB MIDI Cable=UM\r\nUSB MIDI Cable=U2\r\n"
    "[Wave Out]\r\nAbsent Wave=AW\r\nQuiet Wave (4)=Q4\r\n";
// clang-format on

// Whether two device names name one device, as the file compares its keys: a refresh may bring
// a device back under a name in another letter case, which still holds the names of the first.
bool SameDevice(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The files of tests/data and the default text; each world adds generated ones.
std::vector<std::string> Corpus() {
    std::vector<std::string> files = {ReadBytes(VARNEL_DEFAULT_TEXT), "\xEF\xBB\xBF\r\n"};
    for (const char* folder : {VARNEL_TEST_DATA, VARNEL_TEST_DATA "dialog/"}) {
        for (const std::string& path : FilesIn(folder, ".ini")) {
            files.push_back(ReadBytes(path));
        }
    }
    return files;
}

// All that the model shows: the folder, the file's state, present and absent names per kind.
using View = std::tuple<std::string, SettingsFileState, std::vector<DeviceNameMap>>;

View ViewOf(const SettingsModel& m) {
    return {m.ExecutablePath(),
            m.FileState(),
            {m.Present(MidiOut), m.Absent(MidiOut), m.Present(WaveOut), m.Absent(WaveOut)}};
}

class World {
public:
    explicit World(unsigned seed) : random(seed) {
        static const std::vector<std::string> files = Corpus();
        corpus = files;
        for (std::string text; corpus.size() < files.size() + 4; corpus.push_back(text)) {
            for (int line = Below(12); line-- > 0;) {
                text += Below(4) ? Pick(Keys) + "=" + Pick(Texts) + "\r\n" : Pick(Headers);
            }
        }
        // The third folder holds no XGworks.exe: it is XGworks' only while its file is there.
        for (int dir = 0; dir < 3; ++dir) {
            WriteBytes(dirs[dir].Path(dir < 2 ? "XGworks.exe" : "notes.txt"), "");
            Put(FileOf(dir), File());
        }
        Open(dirs[0].Path("XGworks.exe"));
    }
    ~World() { CloseHandle(held); }

    // One random action and its checks; false once an invariant failed.
    bool Step() {
        const View before = ViewOf(*model);
        const int action = Below(100);
        const auto kind = static_cast<DeviceKind>(Below(2));
        if (action < 30) {
            Type(kind, before);
        } else if (action < 50) {
            TakeOver(kind, before);
        } else if (action < 56) {
            Open(Below(5) ? dirs[Below(3)].Path("XGworks.exe") : "XGworks.exe", &before);
        } else if (action < 60) {
            // Started again, in a folder that is still XGworks', at times in another code page.
            if (current.rfind(dirs[2].Path(), 0) != 0 || Exists(FolderFile())) {
                writable = Below(4) != 0;
                model = std::make_unique<SettingsModel>(devices, defaults,
                                                        writable ? XGworksCodePage : 1252);
                Open(current);
            }
        } else if (action < 65) {
            Other(before);
        } else if (action < 72) {
            Below(3) ? Review(before) : Plug(kind, before);
        } else {
            Write(action < 86 ? Update : action < 93 ? Reset : Restore, before);
        }
        Check();
        return !failed;
    }

    const std::string& Steps() const { return steps; }

private:
    int Below(std::size_t n) { return static_cast<int>(random() % n); }
    template <typename T> T Pick(const std::vector<T>& items) { return items[Below(items.size())]; }
    // Often one whose names the devices bear renamed.
    std::string File() { return Below(3) ? Pick(corpus) : Renamed; }
    void Log(const std::string& step) { steps += "  " + step + "\n"; }
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void Expect(bool holds, const std::string& what) {
        steps += holds || failed ? "" : "FAILED: " + what + "\n";
        failed = failed || !holds;
    }
    std::string FolderFile() const {
        return current.substr(0, current.rfind('\\')) + "\\DrvShortName.ini";
    }
    std::string FileOf(int dir) const { return dirs[dir].Path("DrvShortName.ini"); }
    // Another program writes the file at path, as far as nobody holds it.
    void Put(const std::string& path, const std::string& bytes) {
        WriteBytes(path, bytes);
        disk[path] = ReadBytes(path);
    }

    // A row as the model spells it: a present device, a name not connected, one it does not
    // have, or (as users go back) one touched before.
    std::string Row(DeviceKind kind, bool present) {
        std::vector<std::string> rows;
        for (const auto& entry : model->Present(kind)) {
            rows.push_back(entry.first);
        }
        if (!present || rows.empty()) {
            rows.insert(rows.end(), Keys.begin(), Keys.end());
            for (const auto& entry : model->Absent(kind)) {
                rows.push_back(entry.first);
            }
        }
        std::string row = recent[kind].empty() || Below(2) ? Pick(rows) : Pick(recent[kind]);
        for (const DeviceNameMap* map : {&model->Present(kind), &model->Absent(kind)}) {
            row = map->count(row) ? map->find(row)->first : row;
        }
        recent[kind].push_back(row);
        return row;
    }

    void Type(DeviceKind kind, const View& before) {
        const std::string row = Row(kind, Below(2));
        // Often what the row held when read: a name typed back is no edit.
        std::string text = Pick(Texts);
        for (const DeviceNameMap& map :
             {std::get<2>(shown)[kind * 2], std::get<2>(shown)[kind * 2 + 1]}) {
            text = map.count(row) && Below(3) == 0 ? map.find(row)->second : text;
        }
        Log(std::to_string(kind) + ": type " + row + " <" + text + ">");
        const std::string* old = model->ShortNameOf(kind, row);
        const bool changes = StoredShortName(text) != (old ? *old : "");
        const bool set = bool(model->SetName(kind, row, Typed(text)));
        Expect(set || ViewOf(*model) == before, "a refused name changed the model");
        Expect(writable || !set, "a name was set in another code page");
        for (Owed& owed : ledger) {
            owed.gone |= set && changes && owed.kind == kind && SameDevice(owed.at, row);
        }
    }

    void TakeOver(DeviceKind kind, const View& before) {
        const std::string device = Row(kind, Below(5));
        const std::vector<std::string> choices = model->TakeOverChoices(kind, device);
        const std::string source =
            choices.empty() || Below(5) == 0 ? Row(kind, false) : Pick(choices);
        const bool consent = Below(2);
        Log(std::to_string(kind) + ": take over " + source + " -> " + device +
            (consent ? " (yes)" : ""));
        const std::vector<Owed> was = ledger;
        for (Owed& owed : ledger) {
            // A name taken over here goes back to the device not connected it was taken from, if
            // that one still has no other; the device's own goes only with consent.
            const bool back = model->Absent(kind).count(owed.from) &&
                              model->ShortNameOf(kind, owed.from)->empty();
            if (owed.kind == kind && SameDevice(owed.at, device) && !owed.gone) {
                owed.at = back ? owed.from : owed.at;
                owed.gone = !back && consent;
                owed.from.clear();
            } else if (owed.kind == kind && SameDevice(owed.at, source)) {
                owed.at = device;
                owed.from = source;
            }
        }
        const bool taken = bool(model->TakeOver(kind, device, source, consent));
        Expect(writable || !taken, "a name was taken over in another code page");
        if (!taken) {
            ledger = was;
            Expect(ViewOf(*model) == before, "a take-over not done changed the model");
        }
    }

    // The review of renamed devices: sure matches chosen at first, never an ambiguous one, never
    // two of a device or a source; the user chooses at random, then OK or キャンセル.
    void Review(const View& before) {
        RenameReview review(*model);
        const std::vector<RenameMatch>& matches = review.Matches();
        for (std::size_t i = 0; i < 2 * matches.size(); ++i) {
            review.Choose(Below(matches.size()), Below(3) != 0);
        }
        // Of a device or a source: its matches, and the chosen ones among them.
        std::map<std::string, std::pair<int, int>> uses[DeviceKindCount];
        for (std::size_t i = 0; i < matches.size(); ++i) {
            for (const std::string& name : {matches[i].device, matches[i].source}) {
                uses[matches[i].kind][name].first += 1;
                uses[matches[i].kind][name].second += review.Chosen(i);
            }
        }
        for (const RenameMatch& match : matches) {
            const auto &device = uses[match.kind][match.device],
                       &source = uses[match.kind][match.source];
            Expect(match.sure == (device.first == 1 && source.first == 1) && device.second <= 1 &&
                       source.second <= 1,
                   "the review ticks an ambiguous match, or two of one device or source");
        }
        const bool ok = Below(2);
        Log("review of " + std::to_string(matches.size()) + (ok ? ", OK" : ", cancel"));
        // Read only, nothing is taken over.
        for (std::size_t i = 0; ok && model->Writable() && i < matches.size(); ++i) {
            for (Owed& owed : ledger) {
                const bool moved = review.Chosen(i) && owed.kind == matches[i].kind &&
                                   SameDevice(owed.at, matches[i].source);
                owed.from = moved ? matches[i].source : owed.from;
                owed.at = moved ? matches[i].device : owed.at;
            }
        }
        ok ? void(review.Apply(*model)) : Expect(ViewOf(*model) == before, "a cancel changed");
    }

    // Devices plugged in and out: every name stays, at its device or as not connected, and
    // listing them anew is no edit.
    void Plug(DeviceKind kind, const View& was) {
        auto& names = devices.names[kind];
        names.clear();
        std::copy_if(devices.pool[kind].begin(), devices.pool[kind].end(),
                     std::back_inserter(names), [this](const auto&) { return Below(2) != 0; });
        Log(std::to_string(kind) + ": plugged " + std::to_string(names.size()) + " devices");
        const bool edits = model->HasEdits();
        model->Refresh();
        for (int map = 0; map < 4; ++map) {
            for (const auto& [device, shortName] : std::get<2>(was)[map]) {
                const auto* now = model->ShortNameOf(static_cast<DeviceKind>(map / 2), device);
                Expect(shortName.empty() || (now && *now == shortName), "a refresh lost " + device);
            }
        }
        Expect(model->HasEdits() == edits, "a refresh made or undid an edit");
    }

    void Open(const std::string& exe, const View* refused = nullptr) {
        Log("open " + exe);
        const std::string folder = exe.substr(0, exe.rfind('\\') + 1);
        const bool known = !folder.empty() &&
                           (Exists(folder + "XGworks.exe") || Exists(folder + "DrvShortName.ini"));
        model->Open(exe);
        Expect(known || !refused || ViewOf(*model) == *refused,
               "a refused folder changed the view");
        Expect(!known || model->ExecutablePath() == exe, "the folder picked is not the one shown");
        if (known) {
            current = exe;
            Reload(false);
        }
    }

    // What the user starts from once the file was read: the file as read, the names owed,
    // spelled as the model spells its rows.
    void Reload(bool readMayFail) {
        loaded = ReadDisk(FolderFile());
        shown = ViewOf(*model);
        ledger.clear();
        // A read that failed inside a write leaves the names on the disk, shown to nobody.
        if (readMayFail && model->FileState() != FileLoaded) {
            return;
        }
        const std::vector<DeviceNameMap> names = NamesOf(loaded.bytes);
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            const DeviceNameMap& present = model->Present(static_cast<DeviceKind>(kind));
            for (const auto& [key, value] : names[kind]) {
                const std::string row = present.count(key) ? present.find(key)->first : key;
                ledger.push_back({static_cast<DeviceKind>(kind), row, value, row});
            }
        }
    }

    // The names of a text of the file per kind, as the model reads them; empty ones left out.
    static std::vector<DeviceNameMap> NamesOf(const std::string& text) {
        IniFile ini;
        ini.Read(text);
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

    // Another program writes, deletes, holds (letting nobody write) or lets go of a file.
    void Other(const View& before) {
        const int dir = Pick(std::vector<int>{0, 0, 1, 2}), what = Below(5);
        Log("another program " + std::to_string(what) + " on " + FileOf(dir));
        CloseHandle(held);
        held = what == 3 ? CreateFileA(FileOf(dir).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr)
                         : INVALID_HANDLE_VALUE;
        if (what < 2 || what == 4) {
            // At 4 a backup of its own, that the file can go back to.
            Put(FileOf(dir) + (what == 4 ? BackupSuffix : ""), File());
        } else if (what == 2) {
            // Moved away first: a file that Varnel holds open would stay until it lets go.
            const std::string gone = dirs[3].Path(std::to_string(steps.size()));
            MoveFileExA(FileOf(dir).c_str(), gone.c_str(), MOVEFILE_REPLACE_EXISTING);
            DeleteFileA(gone.c_str());
            disk[FileOf(dir)] = "";
        }
        Expect(ViewOf(*model) == before, "another program's write changed the model");
    }

    // The short names that differ from one set of names to another, as the user is to be told
    // before a write.
    static std::vector<NameChange> Differences(const std::vector<DeviceNameMap>& old,
                                               const std::vector<DeviceNameMap>& now) {
        std::vector<NameChange> changes;
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            DeviceNameMap devices = now[kind];
            devices.insert(old[kind].begin(), old[kind].end());
            for (const auto& [device, unused] : devices) {
                const std::string from = old[kind].count(device) ? old[kind].at(device) : "";
                const std::string to = now[kind].count(device) ? now[kind].at(device) : "";
                if (from != to) {
                    changes.push_back({static_cast<DeviceKind>(kind), device, from, to});
                }
            }
        }
        return changes;
    }

    static bool Same(const std::vector<NameChange>& a, const std::vector<NameChange>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
            return x.kind == y.kind && !lstrcmpiA(x.device.c_str(), y.device.c_str()) &&
                   x.before == y.before && x.after == y.after;
        });
    }

    enum Writing { Update, Reset, Restore };
    static constexpr const char* WritingNames[] = {"update", "reset", "restore"};
    static constexpr ModelResult (SettingsModel::*Writes[])() = {
        &SettingsModel::Save, &SettingsModel::Reset, &SettingsModel::Restore};

    // An update, a reset or taking the backup back as the dialog runs it, after its question,
    // which lists what it changes; a file operation failing at a random step, the question about
    // another program's change answered at random. A backup taken back is taken back again at
    // times, which must bring both files back.
    void Write(Writing writing, const View& before) {
        Faults faults;
        faults.failAt = Below(3) == 0 ? 1 + Below(10) : 0;
        // At times every replace fails half-way, the file's old content already over its backup.
        faults.halfway = !faults.failAt && Below(8) == 0;
        const bool yes = Below(3) != 0;
        const std::string bakFile = FolderFile() + BackupSuffix;
        // Another program writes the file while the question is open.
        if (Below(5) == 0) {
            Put(FolderFile(), File());
        }
        const DiskState was = ReadDisk(FolderFile()), bak = ReadDisk(bakFile);
        const std::vector<NameChange> listed = writing == Restore     ? model->RestoreChanges()
                                               : model->SaveBlocker() ? model->SaveChanges()
                                                                      : std::vector<NameChange>();
        ModelResult result;
        bool asked = false;
        {
            FileOperations::Override failing(faults);
            for (int question = 0;
                 question < 3 && (!question || (yes && result.step == WriteChanged)); ++question) {
                if (question > 0) {
                    model->AgreeToChange();
                }
                // Another program writes the backup after the question showed it.
                if (writing == Restore && Below(6) == 0) {
                    Put(bakFile, File());
                }
                result = (*model.*Writes[writing])();
                asked |= result.step == WriteChanged;
            }
        }
        Log(WritingNames[writing] + std::string(", operation ") + std::to_string(faults.failAt) +
            " fails, " + (yes ? "yes" : "no") + " to a change: " + std::to_string(result.step));
        Expect(writable || result.step == WriteReadOnly, "another code page's names were written");
        const DiskState kept = ReadDisk(bakFile);
        if (!result) {
            Expect(ViewOf(*model) == before && (result.step != WriteFailed || result.file.error),
                   "a write that failed changed the model, or named no error");
            Expect(result.step != WriteNoBackup || !kept.exists || kept == was,
                   "a backup to take back was not taken");
            Expect(result.step != WriteBackupChanged || kept != bak, "a backup shown was refused");
            // A yes is for the write it was asked for: pressed again, the question comes again.
            Expect(!asked || !(*model.*Writes[writing])(), "a yes outlived its write");
            return;
        }
        Expect(writing != Update || (std::get<2>(shown) != std::get<2>(before) &&
                                     std::get<1>(shown) != FileUnreadable),
               "a save wrote without an edit, or over a file that could not be read");
        Expect(was == loaded || (yes && asked), "another program's change written over unasked");
        const std::string now = ReadBytes(FolderFile());
        std::vector<DeviceNameMap> named(DeviceKindCount);
        for (int list = 0; list < 4; ++list) {
            for (const auto& [device, name] : std::get<2>(before)[list]) {
                named[list / 2][device] += name; // a device is present or not, never both
            }
        }
        Expect(writing != Update || Differences(named, NamesOf(now)).empty(),
               "the file does not read back as the names shown");
        Expect(writing != Reset || now == ReadBytes(VARNEL_DEFAULT_TEXT),
               "a reset left other bytes than the default text");
        // The question listed what the file held as read against what it holds now.
        const bool read = std::get<1>(shown) == FileLoaded || std::get<1>(shown) == FileEmpty;
        Expect(writing == Reset || was != loaded ||
                   Same(listed, Differences(NamesOf(read ? was.bytes : ""), NamesOf(now))),
               "the question did not list what the write changed");
        // The backup holds what the file held, unless nothing had to change. Taking it back
        // swaps the two files' bytes; twice in a row, it gives both back.
        const bool replaced = was.exists && (now != was.bytes || writing == Restore);
        Expect(ReadBytes(FolderFile() + BackupSuffix) == (replaced ? was.bytes : bak.bytes),
               "the backup does not hold what the file held");
        Expect(writing != Restore || now == bak.bytes, "the backup taken back is not the file");
        if (writing == Restore && was.exists && Below(2)) {
            Log("restore again");
            Expect(model->Restore() && ReadBytes(FolderFile()) == was.bytes &&
                       ReadBytes(FolderFile() + BackupSuffix) == bak.bytes,
                   "taking the backup back twice did not give both files back");
        }
        disk[FolderFile()] = ReadBytes(FolderFile());
        disk[bakFile] = ReadBytes(bakFile);
        Reload(faults.failAt > 0 && faults.count >= faults.failAt);
    }

    void Check() {
        for (const Owed& owed : ledger) {
            const std::string* name = model->ShortNameOf(owed.kind, owed.at);
            Expect(owed.gone || (name && *name == owed.value),
                   "lost the name " + owed.value + " of " + owed.home);
        }
        for (int dir = 0; dir < 3; ++dir) {
            for (const std::string& path : {FileOf(dir), FileOf(dir) + BackupSuffix}) {
                Expect(ReadBytes(path) == disk[path], "a file changed that nothing wrote: " + path);
            }
            for (const std::string& name : dirs[dir].Files()) {
                Expect(name.find(".tmp") == std::string::npos &&
                           name.find(".TMP") == std::string::npos,
                       "a temporary file stayed: " + name);
            }
        }
    }

    // A name read from the file, at home under its key or moved to another row; gone once the
    // user cleared or replaced it. A take-over that brought it to its row took it from the
    // device not connected "from", where a take-over onto its row gives it back.
    struct Owed {
        DeviceKind kind;
        std::string home, value, at, from = "";
        bool gone = false;
    };

    std::mt19937 random;
    std::vector<std::string> corpus;
    Devices devices;
    Defaults defaults;
    ScratchFolder dirs[4];                   // the fourth takes what another program deletes
    std::map<std::string, std::string> disk; // what each file and backup holds
    std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>(devices, defaults);
    std::string current, steps;
    DiskState loaded;
    View shown;
    std::vector<Owed> ledger;
    std::vector<std::string> recent[DeviceKindCount];
    HANDLE held = INVALID_HANDLE_VALUE;
    bool writable = true;
    bool failed = false;
};

// Ten seeds a test, so that each ends well within its time also under emulation.
using Sequences = testing::TestWithParam<unsigned>;

TEST_P(Sequences, NoneLosesAName) {
    const char* replay = std::getenv("VARNEL_SEED");
    const unsigned first = replay ? std::stoul(replay) : GetParam() * 10 + 1;
    for (unsigned seed = first; seed < (replay ? first + (GetParam() == 0) : first + 10); ++seed) {
        World world(seed);
        bool holds = true;
        for (int step = 0; step < 50 && holds; ++step) {
            holds = world.Step();
        }
        ASSERT_TRUE(holds) << "seed " << seed << " (VARNEL_SEED=" << seed << " replays it):\n"
                           << world.Steps();
    }
}

INSTANTIATE_TEST_SUITE_P(SettingsModel, Sequences, testing::Range(0u, 5u));

} // namespace
