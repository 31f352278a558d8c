#pragma once

#include "settings/DeviceNames.h"
#include "settings/LikelySameDevice.h"

#include <string>
#include <vector>

class SettingsModel;

// A present device without a short name, a device not connected of its kind whose short name it
// could take over since it is likely the same device, with that name, and why. sure: the only
// such pair of either, which the review ticks and the list proposes.
struct RenameMatch {
    DeviceKind kind;
    std::string device;
    std::string source;
    std::string shortName;
    RenameReason reason;
    bool sure;
};

// Every pair of a present device without a short name (that can have one) and a device not
// connected with one that LikelySameDevice matches, in the order of the devices, then of the
// sources.
std::vector<RenameMatch> RenameMatches(const DeviceNames& names, DeviceKind kind);

// The user's choice among the rename matches of both kinds, sure ones chosen at first. A device
// takes one name and a name goes to one device: choosing a match drops the chosen ones that
// share its device or its source.
class RenameReview {
public:
    explicit RenameReview(const SettingsModel& model);
    const std::vector<RenameMatch>& Matches() const { return matches; }
    bool Chosen(std::size_t match) const { return chosen.at(match); }
    void Choose(std::size_t match, bool choose);
    // Takes the chosen names over in the model, as the user would one by one; how many.
    int Apply(SettingsModel& model) const;

private:
    std::vector<RenameMatch> matches;
    std::vector<bool> chosen;
};
