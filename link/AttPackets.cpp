#include "link/AttPackets.h"

#include <algorithm>
#include <array>

namespace chairlink::att {

namespace {

// 0000xxxx-0000-1000-8000-00805F9B34FB, least significant byte first, xxxx left out.
constexpr std::array<std::uint8_t, 12> kBaseUuidLow = {0xFB, 0x34, 0x9B, 0x5F, 0x80, 0x00,
                                                       0x00, 0x80, 0x00, 0x10, 0x00, 0x00};
// First automatically flushable packet of a message.
constexpr std::uint16_t kFirstPacketFlag = 0x2000;

}  // namespace

Bytes aclPacket(std::uint16_t connection, std::span<const std::uint8_t> pdu) {
    Bytes out{kH4AclType};
    putLittle16(out, std::uint16_t(kFirstPacketFlag | (connection & 0x0FFF)));
    putLittle16(out, std::uint16_t(pdu.size() + 4));
    putLittle16(out, std::uint16_t(pdu.size()));
    putLittle16(out, kAttChannel);
    out.insert(out.end(), pdu.begin(), pdu.end());
    return out;
}

Bytes handleValuePdu(Opcode opcode, std::uint16_t handle, std::span<const std::uint8_t> value) {
    Bytes out{opcode};
    putLittle16(out, handle);
    out.insert(out.end(), value.begin(), value.end());
    return out;
}

std::optional<std::uint16_t> shortUuid(std::span<const std::uint8_t> littleEndian) {
    if (littleEndian.size() == 2) return little16(littleEndian, 0);
    if (littleEndian.size() != 16) return std::nullopt;
    if (!std::equal(kBaseUuidLow.begin(), kBaseUuidLow.end(), littleEndian.begin()) ||
        littleEndian[14] != 0 || littleEndian[15] != 0)
        return std::nullopt;
    return little16(littleEndian, 12);
}

}  // namespace chairlink::att
