#pragma once
// Edit text to number, failing with the system's conversion messages.
#include <cstdint>
#include <optional>
#include <string>

int32_t toInt(const std::string& text);       // decimal, optional sign and leading blanks
int32_t hexToInt(const std::string& text);    // hexadecimal digits only
long double toFloat(const std::string& text); // "." as decimal point, optional exponent; within double range

// The same conversions, telling a text that does not convert by an empty result.
std::optional<int32_t> tryToInt(const std::string& text);
std::optional<long double> tryToFloat(const std::string& text);
