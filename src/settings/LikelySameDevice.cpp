#include "settings/LikelySameDevice.h"

#include "settings/DeviceNameMap.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Steps = RenamedName::Steps;
using Reading = RenamedName::Reading;

constexpr char OldStyle[] = "MIDIOUT";
constexpr std::size_t OldStyleSize = sizeof(OldStyle) - 1;
constexpr std::size_t NameBytes = MaxShortNameBytes;

bool SameText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::size_t Digits(const std::string& text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return end - at;
}

// The name the system gives original after steps.
std::string Named(const std::string& original, const Steps& steps) {
    return steps.raw ? original : DeviceKeyOf(steps.front + original + steps.back);
}

// How many bytes of original the name that steps make of it shows.
std::size_t Shown(const std::string& original, const Steps& steps) {
    const std::size_t named = Named(original, steps).size();
    return named > steps.front.size() ? std::min(original.size(), named - steps.front.size()) : 0;
}

// What may stand in front of the original in name: nothing, the old style, a number ("2- ",
// "2 - "), or the old style and a number; with whether it is the old style.
std::vector<std::pair<std::string, bool>> Fronts(DeviceKind kind, const std::string& name) {
    std::vector<std::pair<std::string, bool>> fronts = {{"", false}};
    const std::size_t port = Digits(name, OldStyleSize);
    if (kind == MidiOut && port > 0 && SameText(name.substr(0, OldStyleSize), OldStyle) &&
        name.compare(OldStyleSize + port, 2, " (") == 0) {
        fronts.emplace_back(name.substr(0, OldStyleSize + port + 2), true);
    }
    for (std::size_t i = 0, count = fronts.size(); i < count; ++i) {
        const std::size_t at = fronts[i].first.size();
        const std::size_t number = Digits(name, at);
        for (const char* dash : {"- ", " - "}) {
            if (number > 0 && name.compare(at + number, std::strlen(dash), dash) == 0) {
                fronts.emplace_back(name.substr(0, at + number + std::strlen(dash)),
                                    fronts[i].second);
            }
        }
    }
    return fronts;
}

// The number in tail when it is what is left of a number behind, " (2)", after a cut: " ",
// " (", " (1", and in the old style " (12)"; "2" where the cut took the digits, and empty when
// tail is none of these. None of its bytes is ever the second of a double-byte
// character, so tail always starts a character.
std::string CutNumber(const std::string& tail) {
    if (tail == " " || tail == " (") {
        return "2";
    }
    if (tail.compare(0, 2, " (") != 0) {
        return "";
    }
    const std::size_t digits = Digits(tail, 2);
    const std::string closing = tail.substr(2 + digits);
    return digits > 0 && (closing.empty() || closing == ")") ? tail.substr(2, digits) : "";
}

std::vector<Reading> Readings(DeviceKind kind, const std::string& name) {
    std::vector<Reading> readings;
    const auto read = [&readings](const Steps& steps, const std::string& shown, bool whole) {
        if (shown.empty()) {
            return;
        }
        std::string capitals = shown;
        CharUpperBuffA(&capitals[0], static_cast<DWORD>(capitals.size()));
        readings.push_back({steps, shown, whole, capitals});
    };
    if (name.size() > NameBytes) {
        read({"", "", false, true}, name, true);
        return readings;
    }
    for (const auto& [front, oldStyle] : Fronts(kind, name)) {
        const std::string rest = name.substr(front.size());
        const std::string close = oldStyle ? ")" : "";
        // All that was put behind is there.
        if (rest.size() > close.size() &&
            rest.compare(rest.size() - close.size(), close.size(), close) == 0) {
            const std::string inner = rest.substr(0, rest.size() - close.size());
            read({front, close, oldStyle}, inner, true);
            const std::size_t open = inner.rfind(" (");
            const std::size_t digits = open != std::string::npos ? Digits(inner, open + 2) : 0;
            if (digits > 0 && open > 0 && inner.back() == ')' &&
                digits + open + 3 == inner.size()) {
                read({front, inner.substr(open) + close, oldStyle}, inner.substr(0, open), true);
            }
        }
        // A cut: the name ended at byte 31, or at 30 before a double-byte character, and lost
        // the blanks there, those between two words. The original goes on beyond the cut, or
        // ends before it where what was put behind it begins.
        for (const std::size_t cut : {NameBytes, NameBytes - 1}) {
            if (name.size() > cut || name.size() + 2 < cut) {
                continue;
            }
            const std::string shown = rest + std::string(cut - name.size(), ' ');
            read({front, close, oldStyle}, shown, false);
            for (std::size_t end = shown.size(); end > 0; --end) {
                const std::string number = CutNumber(shown.substr(end));
                if (!number.empty()) {
                    read({front, " (" + number + ")" + close, oldStyle}, shown.substr(0, end),
                         true);
                }
            }
        }
    }
    return readings;
}

// Originals that might make both readings' names: the one a reading knows whole, or the longer
// start that either shows, going on beyond both cuts in a single-byte or a double-byte character.
std::vector<std::string> Originals(const Reading& a, const Reading& b) {
    if (a.whole && b.whole) {
        return {a.shown, b.shown};
    }
    if (a.whole || b.whole) {
        return {a.whole ? a.shown : b.shown};
    }
    const std::string& longer = a.shown.size() > b.shown.size() ? a.shown : b.shown;
    // Beyond both cuts whatever the original holds is lost to both names: one of each width.
    static const std::string singleByte(NameBytes, 'X');
    static const std::string doubleByte = [] {
        std::string text;
        for (std::size_t i = 0; i < NameBytes; i += 2) {
            text += "\x81\x51";
        }
        return text;
    }();
    return {longer + singleByte, longer + doubleByte};
}

// Of two ways of renaming that both make the names, the one the user is told: a number goes
// before the old style, and that before the cut.
RenameReason Likelier(RenameReason a, RenameReason b) {
    constexpr int Order[] = {3, 0, 2, 1}; // by RenameReason
    return Order[a] <= Order[b] ? a : b;
}

} // namespace

RenamedName::RenamedName(DeviceKind kind, const std::string& name)
    : name(name), readings(Readings(kind, name)) {}

RenameReason RenamedName::Match(const RenamedName& other) const {
    const std::string &a = name, &b = other.name;
    if (SameText(a, b)) {
        return NotRenamed;
    }
    RenameReason likely = NotRenamed;
    for (const Reading& readA : readings) {
        for (const Reading& readB : other.readings) {
            // The shown starts of one original agree as far as both go.
            const std::size_t common = std::min(readA.shown.size(), readB.shown.size());
            if (readA.capitals.compare(0, common, readB.capitals, 0, common) != 0) {
                continue;
            }
            for (const std::string& original : Originals(readA, readB)) {
                if (!SameText(Named(original, readA.steps), a) ||
                    !SameText(Named(original, readB.steps), b)) {
                    continue;
                }
                const RenameReason reason =
                    Shown(original, readA.steps) != Shown(original, readB.steps) ? RenamedCut
                    : readA.steps.oldStyle != readB.steps.oldStyle               ? RenamedOldStyle
                                                                                 : RenamedNumber;
                likely = Likelier(likely, reason);
            }
        }
    }
    return likely;
}

RenameReason LikelySameDevice(DeviceKind kind, const std::string& a, const std::string& b) {
    return RenamedName(kind, a).Match(RenamedName(kind, b));
}
