#pragma once

#include <cstdint>
#include <string>

// How each kind of value read from the camera is written in the log.
namespace logformat {

// Six significant digits, exponent form for large or small magnitudes (1.17188, 2e+06).
std::string floating(double value);
std::string unsignedNumber(uint32_t value);
// A byte as its decimal number, never as the character it codes.
std::string byteNumber(uint8_t value);
std::string enabledState(bool enabled);
std::string oneOrZero(bool value);
// The three digits of bits 15-12, 11-8 and 7-4 in lowercase hexadecimal: 0x04A0 gives "0.4.a".
std::string versionDigits(uint16_t version);

} // namespace logformat
