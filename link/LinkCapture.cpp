#include "link/LinkCapture.h"

#include <chrono>
#include <cstdio>
#include <tuple>
#include <utility>

#include "base/Log.h"
#include "link/AttPackets.h"
#include "link/Btsnoop.h"

namespace chairlink {

namespace {

std::int64_t wallClockMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() +
           btsnoop::kUnixEpochMicros;
}

// Characteristic properties of the declarations.
constexpr std::uint8_t kWriteWithoutResponse = 0x04;
constexpr std::uint8_t kNotify = 0x10;
constexpr std::uint16_t kChairService = 0xFFE0;
constexpr std::uint16_t kChairNotify = 0xFFE1;
constexpr std::uint16_t kChairWrite = 0xFFE2;
// HCI events of the connection.
constexpr std::uint8_t kH4EventType = 0x04;
constexpr std::uint8_t kDisconnectionComplete = 0x05;
constexpr std::uint8_t kLeMetaEvent = 0x3E;
constexpr std::uint8_t kLeConnectionComplete = 0x01;
constexpr std::uint8_t kRemoteUserTerminated = 0x13;
constexpr std::uint16_t kConnectionInterval = 24;   // 30 ms in 1.25 ms units
constexpr std::uint16_t kSupervisionTimeout = 400;  // 4 s in 10 ms units

}  // namespace

std::shared_ptr<LinkCapture> LinkCapture::open(const std::string& path, base::Clock& clock,
                                               std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write the capture to \"" + path + "\"";
        return nullptr;
    }
    const Bytes header = btsnoop::fileHeader(btsnoop::kDatalinkH4);
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size() ||
        std::fflush(file) != 0) {
        std::fclose(file);
        error = "cannot write the capture to \"" + path + "\"";
        return nullptr;
    }
    return std::shared_ptr<LinkCapture>(new LinkCapture(file, path, clock));
}

LinkCapture::LinkCapture(std::FILE* file, std::string path, base::Clock& clock)
    : file_(file),
      path_(std::move(path)),
      clock_(clock),
      openedAt_(clock.now()),
      openedMicros_(wallClockMicros()) {}

LinkCapture::~LinkCapture() {
    if (file_) std::fclose(file_);
}

void LinkCapture::writeDiscovery() {
    using namespace att;
    // What a central asks a chair it has just connected to, and the chair's answers.
    Bytes mtuRequest{kExchangeMtuRequest}, mtuResponse{kExchangeMtuResponse};
    putLittle16(mtuRequest, kMtu);
    putLittle16(mtuResponse, kMtu);

    Bytes services{kReadByGroupTypeRequest};
    putLittle16(services, 0x0001);
    putLittle16(services, 0xFFFF);
    putLittle16(services, kPrimaryServiceType);
    Bytes serviceList{kReadByGroupTypeResponse, 6};
    putLittle16(serviceList, kServiceHandle);
    putLittle16(serviceList, kWriteHandle);
    putLittle16(serviceList, kChairService);

    Bytes characteristics{kReadByTypeRequest};
    putLittle16(characteristics, kServiceHandle);
    putLittle16(characteristics, kWriteHandle);
    putLittle16(characteristics, kCharacteristicType);
    Bytes characteristicList{kReadByTypeResponse, 7};
    for (auto [declaration, properties, handle, uuid] :
         {std::tuple{kNotifyDeclaration, kNotify, kNotifyHandle, kChairNotify},
          std::tuple{kWriteDeclaration, kWriteWithoutResponse, kWriteHandle, kChairWrite}}) {
        putLittle16(characteristicList, declaration);
        characteristicList.push_back(properties);
        putLittle16(characteristicList, handle);
        putLittle16(characteristicList, uuid);
    }
    // Notifications on: the client characteristic configuration gets 0x0001.
    const Bytes subscribe = handleValuePdu(kWriteRequest, kNotifyConfiguration, Bytes{0x01, 0x00});

    for (const auto& [pdu, received] :
         {std::pair{mtuRequest, false}, std::pair{mtuResponse, true}, std::pair{services, false},
          std::pair{serviceList, true}, std::pair{characteristics, false},
          std::pair{characteristicList, true}, std::pair{subscribe, false},
          std::pair{Bytes{kWriteResponse}, true}})
        append(pdu, received);
}

void LinkCapture::connected(const std::string& peripheral) {
    // HCI LE Connection Complete: we are the central, the chair's public address if known.
    Bytes event{kH4EventType, kLeMetaEvent, 19, kLeConnectionComplete, 0x00};
    att::putLittle16(event, kConnection);
    event.push_back(0x00);  // central
    event.push_back(0x00);  // public address
    Bytes address(6, 0);
    unsigned parts[6];
    char tail = 0;
    if (std::sscanf(peripheral.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &parts[0], &parts[1],
                    &parts[2], &parts[3], &parts[4], &parts[5], &tail) == 6) {
        for (int i = 0; i < 6; ++i) address[5 - i] = std::uint8_t(parts[i]);  // least first
    }
    event.insert(event.end(), address.begin(), address.end());
    for (std::uint16_t value : {kConnectionInterval, std::uint16_t(0), kSupervisionTimeout})
        att::putLittle16(event, value);
    event.push_back(0x00);  // clock accuracy
    std::lock_guard lock(mutex_);
    appendPacket(event, btsnoop::kFlagReceived | btsnoop::kFlagCommandOrEvent);
    writeDiscovery();
}

void LinkCapture::disconnected() {
    Bytes event{kH4EventType, kDisconnectionComplete, 4, 0x00};
    att::putLittle16(event, kConnection);
    event.push_back(kRemoteUserTerminated);
    std::lock_guard lock(mutex_);
    appendPacket(event, btsnoop::kFlagReceived | btsnoop::kFlagCommandOrEvent);
}

void LinkCapture::written(const Bytes& value) {
    const Bytes pdu = att::handleValuePdu(att::kWriteCommand, kWriteHandle, value);
    std::lock_guard lock(mutex_);
    append(pdu, false);
}

void LinkCapture::notified(const Bytes& value) {
    const Bytes pdu = att::handleValuePdu(att::kHandleValueNotification, kNotifyHandle, value);
    std::lock_guard lock(mutex_);
    append(pdu, true);
}

void LinkCapture::append(const Bytes& pdu, bool received) {
    appendPacket(att::aclPacket(kConnection, pdu), received ? btsnoop::kFlagReceived : 0);
}

void LinkCapture::appendPacket(const Bytes& packet, std::uint32_t flags) {
    if (!file_) return;
    const auto micros =
        openedMicros_ + static_cast<std::int64_t>((clock_.now() - openedAt_) * 1e6 + 0.5);
    const Bytes record = btsnoop::record(packet, flags, micros);
    // One write per record, then out of our buffer, so a killed program leaves whole records.
    if (std::fwrite(record.data(), 1, record.size(), file_) != record.size() ||
        std::fflush(file_) != 0) {
        base::log(
            base::format("capture: writing \"%s\" failed; the capture ends here", path_.c_str()));
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace chairlink
