#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

std::string formatGeneral(long double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";

    // Round to 15 significant digits once; the layout then follows the rounded exponent.
    // to_chars, unlike printf, ignores the C locale that the toolkit sets from the environment.
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
    const std::string s(buf, end);
    const bool negative = s[0] == '-';
    const size_t start = negative ? 1 : 0;
    const size_t ePos = s.find('e');
    std::string digits = s.substr(start, 1) + s.substr(start + 2, ePos - start - 2);
    const int exponent = std::atoi(s.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else if (static_cast<int>(digits.size()) <= exponent + 1) {
            out += digits + std::string(static_cast<size_t>(exponent + 1) - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<size_t>(exponent + 1)) + "." +
                   digits.substr(static_cast<size_t>(exponent + 1));
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

std::string formatThousands3(double value)
{
    if (!std::isfinite(value)) return formatGeneral(value);
    char buf[400];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3).ptr;
    const std::string s(buf, end);
    const bool negative = s[0] == '-';
    std::string intPart = s.substr(negative ? 1 : 0, s.find('.') - (negative ? 1 : 0));
    const std::string fraction = s.substr(s.find('.'));
    std::string grouped;
    for (size_t i = 0; i < intPart.size(); ++i) {
        if (i > 0 && (intPart.size() - i) % 3 == 0) grouped += ',';
        grouped += intPart[i];
    }
    return (negative ? "-" : "") + grouped + fraction;
}

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) return formatGeneral(value);
    char buf[512];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr;
    return std::string(buf, end);
}
