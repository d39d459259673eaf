#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "link/FrameFormat.h"

namespace chairlink::att {

// The GATT pieces of a link as they travel over HCI: ATT PDUs in L2CAP's fixed ATT channel
// in ACL data packets.
inline constexpr std::uint16_t kAttChannel = 0x0004;
inline constexpr std::uint8_t kH4AclType = 0x02;

// ATT opcodes the chair's link uses.
enum Opcode : std::uint8_t {
    kErrorResponse = 0x01,
    kExchangeMtuRequest = 0x02,
    kExchangeMtuResponse = 0x03,
    kReadByTypeRequest = 0x08,
    kReadByTypeResponse = 0x09,
    kReadByGroupTypeRequest = 0x10,
    kReadByGroupTypeResponse = 0x11,
    kWriteRequest = 0x12,
    kWriteResponse = 0x13,
    kHandleValueNotification = 0x1B,
    kHandleValueIndication = 0x1D,
    kWriteCommand = 0x52,
};

// GATT declaration types.
inline constexpr std::uint16_t kPrimaryServiceType = 0x2800;
inline constexpr std::uint16_t kCharacteristicType = 0x2803;

// One ACL packet, with the H4 type byte in front, that carries `pdu` whole on connection
// `connection`.
Bytes aclPacket(std::uint16_t connection, std::span<const std::uint8_t> pdu);

// An ATT PDU of an opcode, a handle and a value (writes and notifications).
Bytes handleValuePdu(Opcode opcode, std::uint16_t handle, std::span<const std::uint8_t> value);

// The 16-bit form of a UUID given as "FFE1" or as the Bluetooth base UUID's 128-bit form.
std::optional<std::uint16_t> shortUuid(std::span<const std::uint8_t> littleEndian);

inline std::uint16_t little16(std::span<const std::uint8_t> in, std::size_t at) {
    return std::uint16_t(in[at] | in[at + 1] << 8);
}
inline void putLittle16(Bytes& out, std::uint16_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

}  // namespace chairlink::att
