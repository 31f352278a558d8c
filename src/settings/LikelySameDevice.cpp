#include "settings/LikelySameDevice.h"

#include "ini/AnsiText.h"
#include "settings/DeviceNameMap.h"

#include <windows.h>

namespace {

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

// A name with what the system adds to it taken off.
struct Core {
    std::string text;
    bool changed = false;
    bool oldStyle = false;
};

Core CoreOf(DeviceKind kind, const std::string& name) {
    Core core{name};
    std::string& text = core.text;
    // "2- X", "12 - X": a second unit of a model, or one plugged in again.
    const std::size_t number = Digits(text, 0);
    for (const char* dash : {"- ", " - "}) {
        if (number > 0 && text.compare(number, std::char_traits<char>::length(dash), dash) == 0) {
            text.erase(0, number + std::char_traits<char>::length(dash));
            core.changed = true;
            break;
        }
    }
    // "MIDIOUT2 (X)"; cut at 31 bytes, the closing parenthesis is gone with the end of X.
    constexpr char OldStyle[] = "MIDIOUT";
    constexpr std::size_t OldStyleSize = sizeof(OldStyle) - 1;
    const std::size_t port = Digits(text, OldStyleSize);
    if (kind == MidiOut && port > 0 && text.size() > OldStyleSize &&
        SameText(text.substr(0, OldStyleSize), OldStyle) &&
        text.compare(OldStyleSize + port, 2, " (") == 0) {
        const bool closed = text.back() == ')';
        if (closed || name.size() == MaxShortNameBytes) {
            text = text.substr(OldStyleSize + port + 2,
                               text.size() - (OldStyleSize + port + 2) - (closed ? 1 : 0));
            core.changed = core.oldStyle = true;
        }
    }
    // "X (2)".
    const std::size_t open = text.rfind(" (");
    if (open != std::string::npos && open > 0 && text.back() == ')' && Digits(text, open + 2) > 0 &&
        Digits(text, open + 2) == text.size() - open - 3) {
        text.erase(open);
        core.changed = true;
    }
    return core;
}

// Whether cut, a name that lost its number, is whole as the system cut it: what is left of it
// starts whole, and whole's next character would not have fitted into 31 bytes after the name,
// also where the cut left a blank (which the name lost as keys do) or no room for a double-byte
// character.
bool CutFrom(const std::string& name, const Core& cut, const Core& whole) {
    const std::size_t size = cut.text.size();
    if (!cut.changed || size == 0 || size >= whole.text.size() ||
        AnsiFitLength(whole.text.c_str(), size) != size ||
        !SameText(whole.text.substr(0, size), cut.text)) {
        return false;
    }
    const char* next = whole.text.c_str() + size;
    while (*next == ' ' || *next == '\t') {
        ++next;
    }
    const std::size_t lost =
        static_cast<std::size_t>(NextAnsiChar(next) - whole.text.c_str()) - size;
    return name.size() + lost > MaxShortNameBytes;
}

} // namespace

RenameReason LikelySameDevice(DeviceKind kind, const std::string& a, const std::string& b) {
    const Core coreA = CoreOf(kind, a), coreB = CoreOf(kind, b);
    if (SameText(a, b) || (!coreA.changed && !coreB.changed)) {
        return NotRenamed;
    }
    if (SameText(coreA.text, coreB.text)) {
        return coreA.oldStyle || coreB.oldStyle ? RenamedOldStyle : RenamedNumber;
    }
    return CutFrom(a, coreA, coreB) || CutFrom(b, coreB, coreA) ? RenamedCut : NotRenamed;
}
