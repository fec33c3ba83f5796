#include "Convert.h"

#include "AppError.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

int32_t toInt(const std::string& text)
{
    if (const auto value = tryToInt(text)) return *value;
    throw AppError(Msg::notInteger(text));
}

long double toFloat(const std::string& text)
{
    if (const auto value = tryToFloat(text)) return *value;
    throw AppError(Msg::notFloat(text));
}

std::optional<int32_t> tryToInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int32_t>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t hexToInt(const std::string& text)
{
    if (text.empty() || text.size() > 8) throw AppError(Msg::notInteger("$" + text));
    uint32_t value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) throw AppError(Msg::notInteger("$" + text));
        value = value * 16 + static_cast<uint32_t>(
                                 std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10);
    }
    return static_cast<int32_t>(value);
}

std::optional<long double> tryToFloat(const std::string& text)
{
    // Blanks around the number are allowed; the rest must be a plain decimal number.
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    const std::string body = text.substr(begin, end - begin);
    size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    bool digits = false;
    while (i < body.size() && std::isdigit(static_cast<unsigned char>(body[i]))) {
        ++i;
        digits = true;
    }
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && std::isdigit(static_cast<unsigned char>(body[i]))) {
            ++i;
            digits = true;
        }
    }
    if (digits && i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        size_t j = i + 1;
        if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
        const size_t expStart = j;
        while (j < body.size() && std::isdigit(static_cast<unsigned char>(body[j]))) ++j;
        if (j > expStart) i = j;
        else digits = false;
    }
    if (!digits || i != body.size()) return std::nullopt;
    // from_chars does not follow the C locale, so "." stays the decimal point.
    const char* first = body.data() + (body[0] == '+' ? 1 : 0);
    long double value = 0;
    const auto result = std::from_chars(first, body.data() + body.size(), value);
    if (result.ec != std::errc() || result.ptr != body.data() + body.size()) return std::nullopt;
    // Every number is kept as a double: one beyond its range ("1e400") does not convert.
    if (!std::isfinite(static_cast<double>(value))) return std::nullopt;
    return value;
}
