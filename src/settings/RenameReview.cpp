#include "settings/RenameReview.h"

#include "settings/SettingsModel.h"

#include <map>

std::vector<RenameMatch> RenameMatches(const DeviceNames& names, DeviceKind kind) {
    // Each name read once: every present device is matched against every source.
    std::vector<std::pair<const DeviceNameMap::value_type*, RenamedName>> sources;
    for (const auto& source : names.Absent(kind)) {
        if (!source.second.empty()) {
            sources.emplace_back(&source, RenamedName(kind, source.first));
        }
    }
    std::vector<RenameMatch> matches;
    std::map<std::string, int, NoCaseLess> ofSource;
    for (const auto& [device, shortName] : names.Present(kind)) {
        if (!shortName.empty() || !names.CanName(kind, device)) {
            continue;
        }
        const std::size_t first = matches.size();
        const RenamedName renamed(kind, device);
        for (const auto& [source, read] : sources) {
            if (const RenameReason reason = renamed.Match(read); reason != NotRenamed) {
                matches.push_back(
                    {kind, device, source->first, source->second, reason, matches.size() == first});
                ++ofSource[source->first];
            }
        }
        // Two sources for one device would be a guess.
        if (matches.size() - first > 1) {
            matches[first].sure = false;
        }
    }
    // So would one source for two devices.
    for (RenameMatch& match : matches) {
        match.sure = match.sure && ofSource[match.source] == 1;
    }
    return matches;
}

RenameReview::RenameReview(const SettingsModel& model) {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        for (RenameMatch& match : model.RenameMatches(static_cast<DeviceKind>(kind))) {
            chosen.push_back(match.sure);
            matches.push_back(std::move(match));
        }
    }
}

void RenameReview::Choose(std::size_t match, bool choose) {
    const RenameMatch& it = matches.at(match);
    for (std::size_t other = 0; choose && other < matches.size(); ++other) {
        if (matches[other].kind == it.kind &&
            (matches[other].device == it.device || matches[other].source == it.source)) {
            chosen[other] = false;
        }
    }
    chosen[match] = choose;
}

int RenameReview::Apply(SettingsModel& model) const {
    int taken = 0;
    for (std::size_t match = 0; match < matches.size(); ++match) {
        if (chosen[match]) {
            const RenameMatch& it = matches[match];
            taken += bool(model.TakeOver(it.kind, it.device, it.source, false));
        }
    }
    return taken;
}
