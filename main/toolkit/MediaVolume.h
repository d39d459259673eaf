#pragma once

namespace tk {

// The device's media output volume as one number: 0.0 is silent, 1.0 the output's normal
// full volume. A sound server may report more than 1.0 (PulseAudio goes to 150 %).
// Reading never waits for anything. Main thread only.
class MediaVolume {
public:
    virtual ~MediaVolume() = default;

    virtual float volume() const = 0;
    virtual void setVolume(float volume) = 0;
};

}  // namespace tk
