#pragma once
// A small JSON writer for the command's output: objects of named texts and arrays of
// such objects. Every value is a string holding the window's text exactly.
#include <string>
#include <utility>
#include <vector>

class Json {
public:
    static Json object();
    static Json array();
    static Json text(const std::string& value);

    Json& add(const std::string& name, Json value); // to an object
    Json& add(const std::string& name, const std::string& value);
    Json& push(Json value); // to an array

    // Indented by two blanks per level, ended by a newline at the top.
    std::string dump() const;

private:
    enum class Kind { Object, Array, Text };
    explicit Json(Kind kind) : kind_(kind) {}
    void write(std::string& out, int depth) const;

    Kind kind_;
    std::string text_;
    std::vector<std::pair<std::string, Json>> members_; // names are empty in arrays
};

// A table's rows (after its caption row) as objects named by `names`, one per column.
Json rowsAsObjects(const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& names);

// Latin-1 text (one character per byte, as DICOM headers are read) as UTF-8.
std::string utf8FromLatin1(const std::string& bytes);
