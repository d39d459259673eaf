#include "link/CaptureReader.h"

#include <map>
#include <utility>

#include "base/Log.h"
#include "link/AttPackets.h"
#include "link/Btsnoop.h"

namespace chairlink {

namespace {

constexpr std::uint16_t kChairNotify = 0xFFE1;
constexpr std::uint16_t kChairWrite = 0xFFE2;
constexpr std::uint8_t kPacketFlagsContinuation = 0x1;

// A value on some handle of some connection, before the chair's handles are known.
struct AttValue {
    std::uint16_t connection = 0;
    std::uint16_t handle = 0;
    CapturedValue captured;
};

struct PendingMessage {
    Bytes bytes;
    std::size_t expected = 0;  // L2CAP payload plus its header
};

bool looksLikeStatus(const Bytes& v) {
    return v.size() >= kShortFrameLength && v[0] == kHeaderFirst && v[1] == kHeaderSecond;
}

bool looksLikeCommand(const Bytes& v) {
    return v.size() == kShortFrameLength && v[0] == kHeaderFirst && v[1] == kHeaderSecond &&
           v[5] == kTrailerFirst && v[6] == kTrailerSecond;
}

class Reader {
public:
    explicit Reader(CaptureReading& out) : out_(out) {}

    // One HCI packet of a record; the H4 type byte is gone.
    void aclPacket(const btsnoop::Record& record, std::span<const std::uint8_t> acl) {
        if (acl.size() < 4) return problem(record, "ACL packet shorter than its header");
        const std::uint16_t header = att::little16(acl, 0);
        const std::uint16_t connection = header & 0x0FFF;
        const std::size_t length = att::little16(acl, 2);
        if (acl.size() - 4 != length)
            return problem(record, base::format("ACL packet of %zu bytes says it holds %zu",
                                                acl.size() - 4, length));
        auto data = acl.subspan(4);
        auto key = std::pair{connection, record.received()};
        PendingMessage& pending = pending_[key];
        if (((header >> 12) & 0x3) == kPacketFlagsContinuation) {
            if (pending.expected == 0) return;  // the start was before the log began
            pending.bytes.insert(pending.bytes.end(), data.begin(), data.end());
        } else {
            if (data.size() < 4) return problem(record, "L2CAP header cut short");
            pending.bytes.assign(data.begin(), data.end());
            pending.expected = 4 + att::little16(data, 0);
        }
        if (pending.bytes.size() < pending.expected) return;
        Bytes message = std::move(pending.bytes);
        const bool overlong = message.size() > pending.expected;
        pending = {};
        if (overlong) return problem(record, "L2CAP message longer than its header says");
        if (att::little16(message, 2) != att::kAttChannel) return;
        attPdu(record, connection, std::span(message).subspan(4));
    }

    void attPdu(const btsnoop::Record& record, std::uint16_t connection,
                std::span<const std::uint8_t> pdu) {
        if (pdu.empty()) return problem(record, "empty ATT PDU");
        switch (pdu[0]) {
            case att::kWriteCommand:
            case att::kWriteRequest:
            case att::kHandleValueNotification:
            case att::kHandleValueIndication: {
                if (pdu.size() < 3) return problem(record, "ATT value without its handle");
                const bool write = pdu[0] == att::kWriteCommand || pdu[0] == att::kWriteRequest;
                CapturedValue value{
                    write ? CapturedValue::Way::Written : CapturedValue::Way::Notified,
                    record.number, record.micros, Bytes(pdu.begin() + 3, pdu.end())};
                values_.push_back({connection, att::little16(pdu, 1), std::move(value)});
                return;
            }
            case att::kReadByTypeRequest:
                if (pdu.size() == 7) askedType_[connection] = att::little16(pdu, 5);
                return;
            case att::kReadByTypeResponse:
                if (askedType_[connection] == att::kCharacteristicType)
                    declarations(record, connection, pdu);
                return;
            default:
                return;
        }
    }

    // Characteristic declarations: handle, properties, value handle, UUID.
    void declarations(const btsnoop::Record& record, std::uint16_t connection,
                      std::span<const std::uint8_t> pdu) {
        if (pdu.size() < 2 || (pdu[1] != 7 && pdu[1] != 21) || (pdu.size() - 2) % pdu[1] != 0)
            return problem(record, "characteristic declarations of a bad length");
        for (std::size_t at = 2; at < pdu.size(); at += pdu[1]) {
            const auto uuid = att::shortUuid(pdu.subspan(at + 5, pdu[1] - 5u));
            if (uuid == kChairNotify) discovered_[connection].notify = att::little16(pdu, at + 3);
            if (uuid == kChairWrite) discovered_[connection].write = att::little16(pdu, at + 3);
        }
    }

    void problem(const btsnoop::Record& record, const std::string& what) {
        out_.problems.push_back(base::format("record %zu: ", record.number) + what);
    }

    // Keeps the values on the chair's handles of each connection.
    void finish(const ChairHandles& given) {
        std::map<std::uint16_t, ChairHandles> chosen = discovered_;
        std::string foundBy = discovered_.empty() ? "frames" : "discovery";
        if (given.notify || given.write) foundBy = "option";
        for (const AttValue& v : values_) {
            ChairHandles& handles = chosen[v.connection];
            if (given.notify) handles.notify = given.notify;
            if (given.write) handles.write = given.write;
            const bool notified = v.captured.way == CapturedValue::Way::Notified;
            if (notified && !handles.notify && looksLikeStatus(v.captured.value))
                handles.notify = v.handle;
            if (!notified && !handles.write && looksLikeCommand(v.captured.value))
                handles.write = v.handle;
            if ((notified ? handles.notify : handles.write) == v.handle)
                out_.values.push_back(v.captured);
        }
        out_.handlesFoundBy = foundBy;
    }

private:
    CaptureReading& out_;
    std::map<std::pair<std::uint16_t, bool>, PendingMessage> pending_;
    std::map<std::uint16_t, std::uint16_t> askedType_;
    std::map<std::uint16_t, ChairHandles> discovered_;
    std::vector<AttValue> values_;
};

}  // namespace

CaptureReading readCapture(std::span<const std::uint8_t> bytes, const ChairHandles& given) {
    CaptureReading out;
    const btsnoop::File file = btsnoop::read(bytes);
    if (file.refused) {
        out.refused = file.refused;
        return out;
    }
    Reader reader(out);
    for (const btsnoop::Record& record : file.records) {
        std::span<const std::uint8_t> packet = record.packet;
        if (file.datalink == btsnoop::kDatalinkH4) {
            if (packet.empty() || packet[0] != att::kH4AclType) continue;
            packet = packet.subspan(1);
        } else if (record.flags & btsnoop::kFlagCommandOrEvent) {
            continue;
        }
        reader.aclPacket(record, packet);
    }
    if (file.damage) out.problems.push_back(*file.damage);
    reader.finish(given);
    return out;
}

}  // namespace chairlink
