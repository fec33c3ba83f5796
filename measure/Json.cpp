#include "Json.h"

#include <cstdio>

Json Json::object() { return Json(Kind::Object); }
Json Json::array() { return Json(Kind::Array); }
Json Json::text(const std::string& value)
{
    Json j(Kind::Text);
    j.text_ = value;
    return j;
}

Json& Json::add(const std::string& name, Json value)
{
    members_.emplace_back(name, std::move(value));
    return *this;
}

Json& Json::add(const std::string& name, const std::string& value) { return add(name, text(value)); }

Json& Json::push(Json value)
{
    members_.emplace_back(std::string(), std::move(value));
    return *this;
}

namespace {

// The length of the well-formed UTF-8 sequence at s[i], or 0 when the byte there
// does not start one (overlong forms, surrogates and code points past U+10FFFF included).
size_t utf8Length(const std::string& s, size_t i)
{
    const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = at(i);
    if (c < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) length = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > s.size() || at(i + 1) < low || at(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
    return length;
}

void escaped(std::string& out, unsigned char c)
{
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", c);
    out += code;
}

// A byte that is no part of UTF-8 (a Latin-1 file name, say) is written as the
// character of that code, so that the output stays valid JSON.
void quoted(std::string& out, const std::string& s)
{
    out += '"';
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                escaped(out, c);
            } else if (const size_t length = utf8Length(s, i); length > 0) {
                out.append(s, i, length);
                i += length;
                continue;
            } else {
                escaped(out, c);
            }
        }
        ++i;
    }
    out += '"';
}

} // namespace

void Json::write(std::string& out, int depth) const
{
    if (kind_ == Kind::Text) {
        quoted(out, text_);
        return;
    }
    const bool isObject = kind_ == Kind::Object;
    out += isObject ? '{' : '[';
    const std::string indent(static_cast<size_t>(2 * (depth + 1)), ' ');
    for (size_t i = 0; i < members_.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += indent;
        if (isObject) {
            quoted(out, members_[i].first);
            out += ": ";
        }
        members_[i].second.write(out, depth + 1);
    }
    if (!members_.empty()) out += "\n" + std::string(static_cast<size_t>(2 * depth), ' ');
    out += isObject ? '}' : ']';
}

std::string Json::dump() const
{
    std::string out;
    write(out, 0);
    return out + "\n";
}

Json rowsAsObjects(const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& names)
{
    Json list = Json::array();
    for (size_t r = 1; r < rows.size(); ++r) {
        Json item = Json::object();
        for (size_t c = 0; c < names.size(); ++c) item.add(names[c], c < rows[r].size() ? rows[r][c] : std::string());
        list.push(std::move(item));
    }
    return list;
}

std::string utf8FromLatin1(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
