#pragma once

#include <cstdint>

// Every narrowing between the form's numbers and the camera's goes through these:
// the form's doubles, the SDK's doubles (from a closed library) and the camera's
// unsigned words can all lie outside the int range, where a plain cast is undefined.
namespace conversions {

// NaN gives 0; values beyond the int range give its nearest end; the rest truncate toward zero.
int saturatingToInt(double value);
int saturatingToInt(uint32_t value);
int32_t saturatingToInt32(double value);
uint32_t saturatingToUint32(double value);
// Negative values give 0.
uint32_t saturatingToUint32(int value);

// The low 8 bits, as the camera's one-byte fields take a control's integer.
uint8_t lowByte(int value);

// Rounds to the nearest integer, halves away from zero, then saturates.
int roundToInt(double value);

// Camera units: gamma is unsigned 16.16 fixed point, sharpening unsigned 8.8.
uint32_t toFixed16_16(double value);
uint32_t toFixed8_8(double value);
float fromFixed16_16(uint32_t raw);
float fromFixed8_8(uint32_t raw);

// The User pairs' slider positions: gamma 0.5 + 0.1 per step, sharpening 0.1 per step.
double gammaFromPosition(int position);
int gammaToPosition(double gamma);
double sharpeningFromPosition(int position);
int sharpeningToPosition(double sharpening);

} // namespace conversions
