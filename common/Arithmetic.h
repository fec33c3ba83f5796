#pragma once
// Checked arithmetic: C++ traps neither integer overflow nor division by zero,
// so every operation the program treats as failing is checked here and throws
// AppError with the system's message.
#include <cmath>
#include <cstdint>

namespace Checked {
int32_t add(int32_t a, int32_t b);
int32_t sub(int32_t a, int32_t b);
int32_t mul(int32_t a, int32_t b);
int32_t div(int32_t a, int32_t b); // truncates toward zero; "ゼロによる除算" for b == 0
int32_t mod(int32_t a, int32_t b);
int32_t narrow(long long v);                    // "整数のオーバーフロー" outside 32 bits
int32_t trunc(long double v);                   // cut toward zero; overflow or NaN fails
long double fdiv(long double a, long double b); // 0 divisor: "0 による..." or, for 0/0, "不正な..."
long double finite(long double v); // NaN, or beyond the double range: "不正な浮動小数点数演算命令"
} // namespace Checked

// Rounding of the system: to the nearest integer, halves to the even neighbour.
// The program never leaves the default (round-to-nearest-even) floating-point mode.
inline long long roundHalfEven(long double v) { return std::llrint(v); }
// Integer division rounding down and up, for a positive divisor.
inline int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && a < 0 ? 1 : 0); }
inline int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }
// Wrap to a signed 16-bit value (two's complement), as the 16-bit sample arithmetic does.
inline int16_t wrap16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v))); }
