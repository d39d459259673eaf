#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "main/toolkit/InProcessVolume.h"
#include "main/toolkit/MediaVolume.h"

namespace base {
class MainThread;
}

namespace volume {

// The volume of the sound server's default output (sink), through libpulse, which
// PipeWire's pipewire-pulse serves as well. 1.0 is the sink's normal (100 %) volume; a
// write sets every channel to the same value; a change of the default sink is followed.
//
// The server is talked to on libpulse's own thread, so the main thread never waits: reads
// give the last value the server reported, writes go out without waiting for an answer.
// Until the server has answered, and for good once it counts as absent (it refused, went
// away, or did not answer within `answerWithin` seconds on the app's clock), the volume is
// an in-process one; one log line says so. Main thread only, apart from its own thread.
class PulseVolume final : public tk::MediaVolume {
public:
    enum class State { Connecting, Served, Absent };

    struct Options {
        std::string server;  // libpulse's server string; empty: the usual look-up
        double answerWithin = 2.0;
        float inProcessStart = 0.5f;
    };

    PulseVolume(base::MainThread& mainThread, base::Clock& clock, Options options);
    ~PulseVolume() override;
    PulseVolume(const PulseVolume&) = delete;
    PulseVolume& operator=(const PulseVolume&) = delete;

    float volume() const override;
    void setVolume(float volume) override;

    State state() const;
    // The default sink the volume belongs to; empty until the server has named one.
    std::string sinkName() const;

    // What goes to and comes from libpulse for a volume: 1.0 is the normal volume.
    static std::uint32_t toPulse(float volume);
    static float fromPulse(std::uint32_t volume);

private:
    struct Mirror;
    struct Connection;

    void giveUp(const std::string& why);
    void disconnect();

    base::Clock& clock_;
    std::shared_ptr<Mirror> mirror_;          // main thread; the server's hops hold it weakly
    std::unique_ptr<Connection> connection_;  // libpulse's thread, or under its lock
    base::Clock::TimerId answerDeadline_ = 0;
};

}  // namespace volume
