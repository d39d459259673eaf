#include "chair/ChairBehaviour.h"

#include "base/Log.h"

namespace chair {

namespace {

constexpr std::uint8_t kSimpleGroup = 0x01;

bool inRange(std::uint8_t value, std::uint8_t low, std::uint8_t high) {
    return value >= low && value <= high;
}

}  // namespace

ChairBehaviour::ChairBehaviour(ChairTimers& timers, ChairTimings timings, Send send)
    : timings_(timings),
      send_(std::move(send)),
      power_(status_, timers, timings_, send_),
      update_(timers, timings_.updateGap, [this](std::size_t bytes, std::size_t pieces) {
          base::log(
              base::format("chair: update of %zu bytes in %zu pieces received", bytes, pieces));
          send_({updateConfirmation()});
      }) {}

void ChairBehaviour::write(const Bytes& bytes) {
    if (isCommandFrame(bytes)) {
        command(bytes[2], bytes[3]);
    } else {
        update_.piece(bytes);
    }
}

void ChairBehaviour::command(std::uint8_t group, std::uint8_t value) {
    if (inRange(group, 0x10, 0x15)) {
        setting(group, value);
    } else if (group == kSimpleGroup) {
        simple(value);
    }
    // Acknowledge and reject frames from the remote, and empty frames, need no answer.
}

void ChairBehaviour::setting(std::uint8_t code, std::uint8_t value) {
    // The grades are kept even while the chair is off, but reported only while it is on.
    switch (code) {
        case 0x10:
            if (!inRange(value, 1, 5)) return;
            status_.intensity = value;
            if (status_.on()) send_({runningStateFrame(status_)});
            return;
        case 0x11:
        case 0x12:
            if (!inRange(value, 1, 5)) return;
            (code == 0x11 ? status_.speed : status_.width) = value;
            if (status_.on()) send_({manualFrame(status_)});
            return;
        case 0x13:
        case 0x14:
            if (!inRange(value, 1, 3)) return;
            (code == 0x13 ? status_.armIntensity : status_.lowerIntensity) = value;
            if (status_.on()) send_({airPressureFrame(status_)});
            return;
        case 0x15:
            if (!inRange(value, 1, 3)) return;
            status_.rollerSpeed = value;
            if (status_.on()) send_({otherFunctionsFrame(status_)});
            return;
    }
}

void ChairBehaviour::simple(std::uint8_t code) {
    switch (code) {
        case 0x31:
            send_(fullStatus(status_));
            return;  // the link came up
        case 0x32:
            power_.powerOff();
            return;
        case 0x33:
            power_.powerOn();
            return;
        case 0xB1:
            send_({linkCheckEcho()});
            return;
    }
    if (service(code)) return;
    if (!status_.on()) return;  // the massage functions need the chair switched on
    switch (code) {
        case 0x34:
            power_.moveUp();
            return;
        case 0x35:
            power_.moveDown();
            return;
        case 0x36:
            power_.pause();
            return;
        case 0x37:
            power_.resume();
            return;
        case 0x9C:
            status_.autoKey = static_cast<std::uint8_t>((status_.autoKey + 1) % 4);
            send_({quickKeyFrame(status_)});
            return;
    }
    // Foot and back movements (0x90..0x94) move the chair and report nothing; codes the
    // chair does not know are ignored.
    if (programme(code) || manual(code) || pressure(code)) return;
    other(code);
}

bool ChairBehaviour::programme(std::uint8_t code) {
    switch (code) {
        // The chair numbers waist twist 5 and full air pressure 4, the other way round
        // from the command codes.
        case 0x41:
            chooseProgramme(1);
            return true;
        case 0x42:
            chooseProgramme(2);
            return true;
        case 0x43:
            chooseProgramme(3);
            return true;
        case 0x44:
            chooseProgramme(5);
            return true;
        case 0x45:
            chooseProgramme(4);
            return true;
        case 0x46:
            chooseProgramme(6);
            return true;
        case 0xA3:
            chooseProgramme(8);
            return true;  // memories 1..3
        case 0xA4:
            chooseProgramme(9);
            return true;
        case 0xA5:
            chooseProgramme(10);
            return true;
    }
    return false;
}

void ChairBehaviour::chooseProgramme(std::uint8_t number) {
    status_.programme = number;
    status_.range = 0;
    status_.technique = 0;
    send_({programmeFrame(status_), manualFrame(status_)});
    power_.restartSession();
}

bool ChairBehaviour::manual(std::uint8_t code) {
    if (inRange(code, 0x50, 0x54)) {
        // Fixed (0x50) is reported as 5, full back .. partial as 1..4.
        status_.range = code == 0x50 ? 5 : static_cast<std::uint8_t>(code - 0x50);
        if (status_.technique == 0) status_.technique = 1;
        chooseManual();
        return true;
    }
    std::uint8_t technique = 0;
    switch (code) {
        case 0x61:
            technique = 1;
            break;  // knead
        case 0x62:
            technique = 2;
            break;  // flap
        case 0x63:
            technique = 4;
            break;  // knead and flap
        case 0x64:
            technique = 5;
            break;  // shiatsu
        case 0x65:
            technique = 7;
            break;  // shoulder grasp
        case 0x6A:
            technique = 8;
            break;  // 3D massage
        default:
            return false;
    }
    status_.technique = technique;
    if (status_.range == 0) status_.range = 1;
    chooseManual();
    return true;
}

void ChairBehaviour::chooseManual() {
    bool wasProgramme = status_.programme != 0;
    status_.programme = 0;
    if (wasProgramme) {
        send_({programmeFrame(status_), manualFrame(status_)});
    } else {
        send_({manualFrame(status_)});
    }
    if (wasProgramme) power_.restartSession();
}

bool ChairBehaviour::pressure(std::uint8_t code) {
    auto toggleZone = [&](std::uint8_t zone) { status_.zone = status_.zone == zone ? 0 : zone; };
    switch (code) {
        case 0x79:
            status_.armOn = !status_.armOn;
            break;
        case 0x71:
            toggleZone(1);
            break;  // lower body
        case 0x73:
            toggleZone(2);
            break;  // waist to hip
        case 0x72:
            toggleZone(3);
            break;  // legs
        case 0x77:
            status_.traction = !status_.traction;
            break;
        default:
            return false;
    }
    send_({airPressureFrame(status_)});
    return true;
}

bool ChairBehaviour::other(std::uint8_t code) {
    switch (code) {
        case 0x81:
            status_.heat = !status_.heat;
            break;
        case 0x88:
            status_.rollersOn = !status_.rollersOn;
            break;
        default:
            return false;
    }
    send_({otherFunctionsFrame(status_)});
    return true;
}

bool ChairBehaviour::service(std::uint8_t code) {
    switch (code) {
        case 0xB8:
            status_.serviceStarted = status_.serviceStarted ? 0 : 1;
            break;
        case 0xB9:
        case 0xBA:
        case 0xBB:
            status_.serviceItem = static_cast<std::uint8_t>(code - 0xB8);
            break;
        case 0xBC:  // confirm: runs the selected test
            if (status_.serviceItem != 0) status_.serviceStarted = 1;
            break;
        default:
            return false;
    }
    send_({serviceFrame(status_)});
    return true;
}

}  // namespace chair
