#include "chair/ChairStatus.h"

namespace chair {

void ChairStatus::switchOff() {
    mode = kOff;
    remainingMinutes = 0;
    position = 0;
    programme = 0;
    range = 0;
    technique = 0;
    armOn = false;
    zone = 0;
    traction = false;
    rollersOn = false;
    heat = false;
    autoKey = 0;
}

Bytes runningStateFrame(const ChairStatus& s) {
    return statusFrame(kRunningState, s.mode, s.remainingMinutes, s.position,
                       s.on() ? s.intensity : 0);
}

Bytes programmeFrame(const ChairStatus& s) {
    return statusFrame(kAutoProgramme, s.programme);
}

Bytes manualFrame(const ChairStatus& s) {
    bool manual = s.technique != 0;
    return statusFrame(kManualMassage, s.range, s.technique, manual ? s.speed : 0,
                       manual ? s.width : 0);
}

Bytes airPressureFrame(const ChairStatus& s) {
    return statusFrame(kAirPressure, s.armOn ? s.armIntensity : 0, s.zone,
                       s.zone != 0 ? s.lowerIntensity : 0, s.traction ? 1 : 0);
}

Bytes otherFunctionsFrame(const ChairStatus& s) {
    return statusFrame(kOtherFunctions, s.rollersOn ? s.rollerSpeed : 0, 0, s.heat ? 1 : 0, 0);
}

Bytes quickKeyFrame(const ChairStatus& s) {
    return shortStatusFrame(kQuickKey, s.autoKey);
}

Bytes serviceFrame(const ChairStatus& s) {
    return statusFrame(kService, s.serviceStarted, s.serviceItem);
}

std::vector<Bytes> fullStatus(const ChairStatus& s) {
    return {runningStateFrame(s),   programmeFrame(s), manualFrame(s), airPressureFrame(s),
            otherFunctionsFrame(s), quickKeyFrame(s),  serviceFrame(s)};
}

}  // namespace chair
