#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "chair/ChairStatus.h"
#include "chair/ChairTimers.h"
#include "chair/ChairTimings.h"
#include "chair/PowerCycle.h"
#include "chair/UpdateReceiver.h"

namespace chair {

// What the chair does with each write from the remote: command frames change its state and
// are answered with the status frames that changed; every other write is update data.
// Runs on the chair's queue.
class ChairBehaviour {
public:
    using Send = std::function<void(std::vector<Bytes>)>;

    ChairBehaviour(ChairTimers& timers, ChairTimings timings, Send send);

    void write(const Bytes& bytes);
    const ChairStatus& status() const { return status_; }
    std::size_t updatesCompleted() const { return update_.updatesCompleted(); }

private:
    void command(std::uint8_t group, std::uint8_t value);
    void setting(std::uint8_t code, std::uint8_t value);
    void simple(std::uint8_t code);
    bool programme(std::uint8_t code);
    bool manual(std::uint8_t code);
    bool pressure(std::uint8_t code);
    bool other(std::uint8_t code);
    bool service(std::uint8_t code);
    void chooseProgramme(std::uint8_t number);
    void chooseManual();

    ChairTimings timings_;
    ChairStatus status_;
    Send send_;
    PowerCycle power_;
    UpdateReceiver update_;
};

}  // namespace chair
