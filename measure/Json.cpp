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

void quoted(std::string& out, const std::string& s)
{
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
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
