#pragma once

#include "main/toolkit/MediaVolume.h"

namespace tk {

// A volume that lives only in this process: what the app falls back to when no sound
// server answers, and what script mode and tests run with. Negative values become 0.
class InProcessVolume final : public MediaVolume {
public:
    explicit InProcessVolume(float start = 0.5f) { setVolume(start); }

    float volume() const override { return volume_; }
    void setVolume(float volume) override { volume_ = volume > 0.0f ? volume : 0.0f; }

private:
    float volume_ = 0.5f;
};

}  // namespace tk
