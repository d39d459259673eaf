#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "base/Clock.h"
#include "link/FrameFormat.h"

namespace chairlink {

// Records every value that goes over the chair's link, both ways, with its time, as a btsnoop
// file of HCI ACL packets carrying the ATT PDUs a real link carries, so Wireshark reads it as
// it reads a phone's HCI snoop log. Each connection starts with the controller's connection
// event and a small GATT discovery that ties the handles to the chair's service and
// characteristics, and ends with the disconnection event. Each record is written whole and
// flushed, so the file stays readable when the program is killed. Nothing else is recorded:
// no other devices, and no address but the chair's. Any thread.
class LinkCapture {
public:
    // The handles the capture gives the chair's attributes.
    static constexpr std::uint16_t kConnection = 0x0040;
    static constexpr std::uint16_t kServiceHandle = 0x0010;
    static constexpr std::uint16_t kNotifyDeclaration = 0x0011;
    static constexpr std::uint16_t kNotifyHandle = 0x0012;
    static constexpr std::uint16_t kNotifyConfiguration = 0x0013;
    static constexpr std::uint16_t kWriteDeclaration = 0x0014;
    static constexpr std::uint16_t kWriteHandle = 0x0015;
    static constexpr std::uint16_t kMtu = 247;

    // Creates (or empties) `path` and writes the file header; nullptr with
    // `error` set (one line) when the file cannot be written. Times are taken from `clock`,
    // counted from the wall-clock time of opening.
    static std::shared_ptr<LinkCapture> open(const std::string& path, base::Clock& clock,
                                             std::string& error);
    ~LinkCapture();
    LinkCapture(const LinkCapture&) = delete;
    LinkCapture& operator=(const LinkCapture&) = delete;

    // The chair connected: its address when `peripheral` is one ("AA:BB:CC:DD:EE:FF"),
    // otherwise none is written.
    void connected(const std::string& peripheral);
    void disconnected();
    // A value written to the write characteristic, without response.
    void written(const Bytes& value);
    // A value the chair notified on the notify characteristic.
    void notified(const Bytes& value);

private:
    LinkCapture(std::FILE* file, std::string path, base::Clock& clock);
    // These three under mutex_.
    void writeDiscovery();
    void append(const Bytes& pdu, bool received);
    void appendPacket(const Bytes& packet, std::uint32_t flags);

    std::mutex mutex_;
    std::FILE* file_;  // closed after the first failed write
    const std::string path_;
    base::Clock& clock_;
    const double openedAt_;
    const std::int64_t openedMicros_;
};

}  // namespace chairlink
