#include "link/CommandNames.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace chairlink {

namespace {

// By code; tools/wireshark/chair.lua carries the same table for the dissector.
constexpr std::pair<std::int32_t, std::string_view> kNames[] = {
    {0, "acknowledge"},
    {1, "reject"},
    {16, "intensity"},
    {17, "hand speed"},
    {18, "hand width"},
    {19, "arm pressure intensity"},
    {20, "lower body pressure intensity"},
    {21, "foot roller speed"},
    {49, "link up"},
    {50, "power off"},
    {51, "power on"},
    {52, "adjust upwards"},
    {53, "adjust downwards"},
    {54, "pause"},
    {55, "resume"},
    {65, "comfort"},
    {66, "relax"},
    {67, "ache relief"},
    {68, "waist twist"},
    {69, "full air pressure"},
    {70, "waist stretch"},
    {80, "fixed"},
    {81, "full back"},
    {82, "upper back"},
    {83, "lower back"},
    {84, "partial"},
    {97, "knead"},
    {98, "flap"},
    {99, "knead and flap"},
    {100, "shiatsu"},
    {101, "shoulder grasp"},
    {106, "3D massage"},
    {113, "lower body pressure"},
    {114, "foot pressure"},
    {115, "waist to hip pressure"},
    {119, "leg stretch"},
    {121, "arm pressure"},
    {129, "heat"},
    {136, "rollers on sole"},
    {144, "hold key released"},
    {145, "foot up"},
    {146, "foot down"},
    {147, "heart up"},
    {148, "heart down"},
    {156, "auto key"},
    {163, "memory 1"},
    {164, "memory 2"},
    {165, "memory 3"},
    {177, "link check"},
    {184, "service 1"},
    {185, "service 2"},
    {186, "service 3"},
    {187, "service 4"},
    {188, "service 5"},
};

}  // namespace

std::string_view commandName(std::int32_t code) {
    const auto found =
        std::lower_bound(std::begin(kNames), std::end(kNames), code,
                         [](const auto& entry, std::int32_t c) { return entry.first < c; });
    return found != std::end(kNames) && found->first == code ? found->second : std::string_view{};
}

}  // namespace chairlink
