#pragma once

#include <cstdint>

namespace vantor {

// Type byte in front of every value of the binary form stream.
enum class TValueType : std::uint8_t {
    vaNull = 0,        // no data; ends a list or collection
    vaList = 1,        // values up to a vaNull
    vaInt8 = 2,        // 1 byte, signed
    vaInt16 = 3,       // 2 bytes, signed, little-endian
    vaInt32 = 4,       // 4 bytes, signed, little-endian
    vaExtended = 5,    // 10 bytes, 80-bit extended float
    vaString = 6,      // 1 length byte, then the characters
    vaIdent = 7,       // 1 length byte, then the identifier
    vaFalse = 8,       // no data
    vaTrue = 9,        // no data
    vaBinary = 10,     // 4-byte length, then the bytes
    vaSet = 11,        // short strings ended by an empty one
    vaLString = 12,    // 4-byte length, then the characters
    vaNil = 13,        // no data
    vaCollection = 14, // items up to a vaNull: optional order value, vaList, properties, 0
    vaSingle = 15,     // 4-byte IEEE float
    vaCurrency = 16,   // 8-byte signed integer, value times 10000
    vaDate = 17,       // 8-byte IEEE double
    vaWString = 18,    // 4-byte count of UTF-16 code units, then the units
    vaInt64 = 19,      // 8 bytes, signed, little-endian
    vaUTF8String = 20, // 4-byte byte count, then UTF-8 bytes
    vaDouble = 21,     // 8-byte IEEE double
};
inline constexpr std::uint8_t kLastValueType = 21;

// Flags in the low nibble of a component's optional prefix byte (high nibble F).
enum TFilerFlag : std::uint8_t {
    ffInherited = 1, // the component is inherited from an ancestor form
    ffChildPos = 2,  // an integer child position follows the prefix
    ffInline = 4,    // the component is an inline frame
};

} // namespace vantor
