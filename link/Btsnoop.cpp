#include "link/Btsnoop.h"

#include <cstring>

#include "base/Log.h"

namespace chairlink::btsnoop {

namespace {

constexpr char kMagic[8] = {'b', 't', 's', 'n', 'o', 'o', 'p', '\0'};

void put32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void put64(Bytes& out, std::uint64_t value) {
    for (int shift = 56; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

std::uint32_t get32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | in[at + i];
    return value;
}

std::uint64_t get64(std::span<const std::uint8_t> in, std::size_t at) {
    return std::uint64_t(get32(in, at)) << 32 | get32(in, at + 4);
}

}  // namespace

Bytes fileHeader(std::uint32_t datalink) {
    Bytes out(kMagic, kMagic + sizeof kMagic);
    put32(out, kVersion);
    put32(out, datalink);
    return out;
}

Bytes record(std::span<const std::uint8_t> packet, std::uint32_t flags, std::int64_t micros) {
    Bytes out;
    out.reserve(kRecordHeaderLength + packet.size());
    put32(out, std::uint32_t(packet.size()));  // as sent
    put32(out, std::uint32_t(packet.size()));  // as kept: never cut
    put32(out, flags);
    put32(out, 0);  // none dropped
    put64(out, std::uint64_t(micros));
    out.insert(out.end(), packet.begin(), packet.end());
    return out;
}

File read(std::span<const std::uint8_t> bytes) {
    File file;
    if (bytes.size() < kFileHeaderLength || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        file.refused = "not a btsnoop capture (no \"btsnoop\" file header)";
        return file;
    }
    if (const auto version = get32(bytes, 8); version != kVersion) {
        file.refused = base::format("btsnoop version %u is not the known version 1", version);
        return file;
    }
    file.datalink = get32(bytes, 12);
    if (file.datalink != kDatalinkH4 && file.datalink != kDatalinkHci) {
        file.refused = base::format(
            "btsnoop capture of datalink %u, not HCI packets (1001 or 1002)", file.datalink);
        return file;
    }
    std::size_t at = kFileHeaderLength;
    for (std::size_t number = 1; at < bytes.size(); ++number) {
        const std::size_t left = bytes.size() - at;
        if (left < kRecordHeaderLength) {
            file.damage = base::format("record %zu: cut short in its header (%zu of %zu bytes)",
                                       number, left, kRecordHeaderLength);
            break;
        }
        const std::uint32_t original = get32(bytes, at);
        const std::uint32_t included = get32(bytes, at + 4);
        if (included > original || included > kLongestPacket) {
            file.damage = base::format("record %zu: impossible length (%u bytes kept of %u sent)",
                                       number, included, original);
            break;
        }
        if (left - kRecordHeaderLength < included) {
            file.damage = base::format("record %zu: cut short (%zu of %u bytes)", number,
                                       left - kRecordHeaderLength, included);
            break;
        }
        Record record;
        record.number = number;
        record.flags = get32(bytes, at + 8);
        record.micros = std::int64_t(get64(bytes, at + 16));
        record.packet = bytes.subspan(at + kRecordHeaderLength, included);
        file.records.push_back(record);
        at += kRecordHeaderLength + included;
    }
    return file;
}

}  // namespace chairlink::btsnoop
