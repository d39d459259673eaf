#pragma once

#include <vector>

#include "chair/StatusFrames.h"

namespace chair {

// Switches that make the stand-in chair misbehave the way real links do. Counts apply to
// the next attempts or frames and run down; flags hold until cleared.
struct ChairFaults {
    bool refuseConnections = false;  // every connection attempt fails
    int failConnections = 0;         // the next n connection attempts fail
    int failServiceDiscovery = 0;
    int failCharacteristicDiscovery = 0;
    // Answers the two characteristic requests in the opposite order.
    bool reverseCharacteristicAnswers = false;
    int corruptChecksums = 0;  // the next n status frames carry a wrong checksum
    bool splitFrames = false;  // each frame comes as two notifications
    bool joinFrames = false;   // two frames of one answer come as one notification
    double answerDelay = 0;    // seconds between a write and the chair's answer
};

// Turns the frames of one answer into the notified values, applying the frame faults
// (corrupted checksums use up the count in `faults`).
std::vector<Bytes> shapeNotifications(std::vector<Bytes> frames, ChairFaults& faults);

}  // namespace chair
