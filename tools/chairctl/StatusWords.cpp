#include "tools/chairctl/StatusWords.h"

#include <array>
#include <span>
#include <sstream>
#include <string_view>
#include <vector>

#include "base/Log.h"
#include "link/Hex.h"
#include "link/StatusFrames.h"

namespace chairctl {

namespace {

using chairlink::Bytes;

constexpr std::array<std::string_view, 6> kModes = {
    "off", "measuring shoulders", "measuring shoulders", "adjusting position", "running", "paused"};
// The chair's numbering: 4 is full air pressure, 5 waist twist.
constexpr std::array<std::string_view, 11> kProgrammes = {
    "none",          "comfort", "relax",    "ache relief", "full air pressure", "waist twist",
    "waist stretch", "music",   "memory 1", "memory 2",    "memory 3"};
constexpr std::array<std::string_view, 6> kRanges = {"fixed",      "full back", "upper back",
                                                     "lower back", "partial",   "fixed"};
constexpr std::array<std::string_view, 12> kTechniques = {
    "none",    "knead",          "flap",       "flap",       "knead and flap", "shiatsu",
    "shiatsu", "shoulder grasp", "3D massage", "3D massage", "3D massage",     "3D massage"};
constexpr std::array<std::string_view, 4> kZones = {"none", "lower body", "waist to hip", "legs"};

using Names = std::span<const std::string_view>;

class Line {
public:
    Line(const std::string& title, std::vector<int> data) : data_(std::move(data)) {
        out_ << title;
    }

    // Adds the field for data byte `index` (0 for D1) when the frame has it, with the
    // value's name when `names` has one.
    Line& field(std::size_t index, const char* key, Names names = {}) {
        if (index >= data_.size()) return *this;
        int value = data_[index];
        out_ << ' ' << key << '=' << value;
        if (static_cast<std::size_t>(value) < names.size())
            out_ << " (" << names[static_cast<std::size_t>(value)] << ')';
        return *this;
    }
    std::string str() const { return out_.str(); }

private:
    std::vector<int> data_;
    std::ostringstream out_;
};

std::vector<int> dataBytes(const Bytes& frame) {
    std::size_t count = frame.size() == chairlink::kLongFrameLength    ? 4
                        : frame.size() == chairlink::kShortFrameLength ? 1
                                                                       : 0;
    std::vector<int> data;
    for (std::size_t i = 0; i < count; ++i) data.push_back(frame[chairlink::kValueIndex + i]);
    return data;
}

}  // namespace

std::string describeStatusFrame(const Bytes& frame) {
    if (frame.size() <= chairlink::kTypeIndex) {
        return "not a status frame: " + chairlink::upperHexPairs(frame);
    }
    std::uint8_t type = frame[chairlink::kTypeIndex];
    auto data = dataBytes(frame);
    Line line(chairlink::statusTypeName(type), data);
    switch (type) {
        case chairlink::kRunningStateType:
            line.field(0, "mode", kModes)
                .field(1, "minutes")
                .field(2, "position")
                .field(3, "intensity");
            break;
        case chairlink::kAutoProgrammeType:
            line.field(0, "programme", kProgrammes);
            break;
        case chairlink::kManualMassageType:
            line.field(0, "range", kRanges)
                .field(1, "technique", kTechniques)
                .field(2, "speed")
                .field(3, "width");
            break;
        case chairlink::kAirPressureType:
            line.field(0, "arm").field(1, "zone", kZones).field(2, "level").field(3, "traction");
            break;
        case chairlink::kOtherFunctionsType:
            line.field(0, "rollers").field(2, "heat");
            break;
        case chairlink::kQuickKeyType:
            line.field(0, "auto");
            break;
        case chairlink::kServiceType:
            line.field(0, "start").field(1, "item");
            break;
        case chairlink::kUpdateResultType:
            if (!data.empty() && data[0] == chairlink::kUpdateSucceeded)
                return line.str() + " succeeded";
            line.field(0, "code");
            break;
        case chairlink::kCommandEchoType:
            if (!data.empty() && data[0] == chairlink::kLinkCheckEcho)
                return line.str() + " link check answered";
            line.field(0, "code");
            break;
        default:
            return base::format("unknown type 0x%02X: ", type) + chairlink::upperHexPairs(frame);
    }
    return line.str();
}

}  // namespace chairctl
