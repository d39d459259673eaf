// Golden status reports: one chunk in, its report out.
#include <gtest/gtest.h>

#include "LinkWorld.h"
#include "link/Hex.h"
#include "link/StatusReport.h"

namespace {

using chairlink::Bytes;
using linktest::hex;

// The report in one line: the kind, then D1 to D4 as "name=value" ("-" names an unused byte),
// with "(meaning)", "!" out of range and "~" not carried; " *" ends a report that is not in
// range, " link" one that answers the link check and " updated" a successful update.
std::string show(const chairlink::StatusReport& r) {
    static const char* kKinds[] = {"not-a-frame", "too-long", "unknown", "running",
                                   "programme",   "manual",   "air",     "other",
                                   "quick-key",   "service",  "echo",    "update"};
    std::string line = kKinds[static_cast<int>(r.kind)];
    if (r.kind == chairlink::StatusKind::NotAFrame || r.kind == chairlink::StatusKind::TooLong)
        return line;
    for (const auto& f : r.data) {
        line += " " + (f.used() ? std::string(f.name) : "-") + "=" + std::to_string(f.value);
        if (!f.meaning.empty()) line += "(" + std::string(f.meaning) + ")";
        line += std::string(f.inRange ? "" : "!") + (f.carried ? "" : "~");
    }
    return line + (r.inRange() ? "" : " *") + (r.answersLinkCheck() ? " link" : "") +
           (r.updateSucceeded() ? " updated" : "");
}

TEST(StatusReport, GoldenChunks) {
    const std::pair<Bytes, const char*> cases[] = {
        // Running state: every mode's name, the top of each field, one past it.
        {hex("AA 55 F1 04 1E 05 03 1B 0D 0A"),
         "running mode=4(running) minutes=30 position=5 intensity=3"},
        {hex("AA 55 F1 00 00 00 00 F1 0D 0A"),
         "running mode=0(off) minutes=0 position=0 intensity=0"},
        {hex("AA 55 F1 02 00 00 00 F3 0D 0A"),
         "running mode=2(measuring shoulders) minutes=0 position=0 intensity=0"},
        {hex("AA 55 F1 03 00 00 00 F4 0D 0A"),
         "running mode=3(adjusting position) minutes=0 position=0 intensity=0"},
        {hex("AA 55 F1 05 2D 0B 05 33 0D 0A"),
         "running mode=5(paused) minutes=45 position=11 intensity=5"},
        {hex("AA 55 F1 06 2E 0C 06 37 0D 0A"),
         "running mode=6! minutes=46! position=12! intensity=6! *"},
        // A short frame carries D1 only; the rest reads its checksum and trailer.
        {hex("AA 55 F1 04 F5 0D 0A"),
         "running mode=4(running) minutes=245!~ position=13!~ intensity=10!~"},
        // Automatic programme: D2 to D4 are kept but mean nothing.
        {hex("AA 55 F2 00 01 02 03 F8 0D 0A"), "programme programme=0(none) -=1 -=2 -=3"},
        {hex("AA 55 F2 05 00 00 00 F7 0D 0A"), "programme programme=5(waist twist) -=0 -=0 -=0"},
        {hex("AA 55 F2 0A 00 00 00 FC 0D 0A"), "programme programme=10(memory 3) -=0 -=0 -=0"},
        {hex("AA 55 F2 0B 00 00 00 FD 0D 0A"), "programme programme=11! -=0 -=0 -=0 *"},
        // Manual massage: "fixed" at both ends of the range.
        {hex("AA 55 F3 05 0B 05 05 0D 0D 0A"),
         "manual range=5(fixed) technique=11(3D massage) speed=5 width=5"},
        {hex("AA 55 F3 01 07 00 00 FB 0D 0A"),
         "manual range=1(full back) technique=7(shoulder grasp) speed=0 width=0"},
        {hex("AA 55 F3 06 0C 06 06 11 0D 0A"), "manual range=6! technique=12! speed=6! width=6! *"},
        // Air pressure.
        {hex("AA 55 F4 03 03 03 01 FE 0D 0A"), "air arm=3 zone=3(legs) level=3 traction=1"},
        {hex("AA 55 F4 00 01 00 00 F5 0D 0A"), "air arm=0 zone=1(lower body) level=0 traction=0"},
        {hex("AA 55 F4 04 04 04 02 02 0D 0A"), "air arm=4! zone=4! level=4! traction=2! *"},
        // Other functions: D2 and D4 are not used.
        {hex("AA 55 F5 03 4D 01 58 9E 0D 0A"), "other rollers=3 -=77 heat=1 -=88"},
        {hex("AA 55 F5 04 00 02 00 FB 0D 0A"), "other rollers=4! -=0 heat=2! -=0 *"},
        // Quick key, service, and the link check answered from either frame.
        {hex("AA 55 F6 03 F9 0D 0A"), "quick-key auto=3 -=249~ -=13~ -=10~"},
        {hex("AA 55 F6 04 FA 0D 0A"), "quick-key auto=4! -=250~ -=13~ -=10~ *"},
        {hex("AA 55 F7 01 03 00 00 FB 0D 0A"), "service start=1 item=3 -=0 -=0"},
        {hex("AA 55 F7 B1 02 00 00 AA 0D 0A"), "service start=177! item=2 -=0 -=0 * link"},
        {hex("AA 55 F7 02 04 00 00 FD 0D 0A"), "service start=2! item=4! -=0 -=0 *"},
        {hex("AA 55 01 B1 B2 0D 0A"), "echo code=177(link check answered) -=178~ -=13~ -=10~ link"},
        {hex("AA 55 01 B0 B1 0D 0A"), "echo code=176! -=177~ -=13~ -=10~ *"},
        {hex("AA 55 A5 5A FF 0D 0A"), "update code=90(succeeded) -=255~ -=13~ -=10~ updated"},
        {hex("AA 55 A5 11 B6 0D 0A"), "update code=17! -=182~ -=13~ -=10~ *"},
        // Unknown types, and chunks that are no whole frame: bytes past the end read 0.
        {hex("AA 55 33 01 34 0D 0A"), "unknown -=1 -=52~ -=13~ -=10~"},
        {hex("AA 55 C3 3C FF 0D 0A"), "unknown -=60 -=255~ -=13~ -=10~"},
        {hex("AA 55 F1"), "running mode=0(off)~ minutes=0~ position=0~ intensity=0~"},
        {hex("AA 55 F3 02 03 04 05 11 0D"),
         "manual range=2(upper back)~ technique=3(flap)~ speed=4~ width=5~"},
        {hex(""), "not-a-frame"},
        {hex("AA 55"), "not-a-frame"},
        {Bytes(256, 0xF1), "too-long"},
    };
    for (const auto& [chunk, report] : cases)
        EXPECT_EQ(show(chairlink::decodeStatus(chunk)), report) << chairlink::upperHexPairs(chunk);
    // The longest chunk that is decoded.
    EXPECT_EQ(chairlink::decodeStatus(Bytes(255, 0xF1)).kind, chairlink::StatusKind::RunningState);
}

}  // namespace
