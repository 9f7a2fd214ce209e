// Digests of a text's bytes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace pirune {

// MD5 (RFC 1321) as 32 lower-case hexadecimal digits.
std::string Md5Hex(std::string_view bytes);
// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final inversion.
std::uint16_t Crc16(std::string_view bytes);
// CRC-32 (ISO-HDLC), by zlib.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace pirune
