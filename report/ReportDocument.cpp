#include "ReportDocument.h"

std::vector<TextRow> rowsOfText(const std::string& text)
{
    std::vector<TextRow> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        TextRow row(1);
        for (char c : line) {
            if (c == '\t') row.emplace_back();
            else row.back() += c;
        }
        rows.push_back(std::move(row));
        start = end + 2;
    }
    return rows;
}

ReportSection resultsSection(const std::string& title, const NamedValues& values)
{
    ReportSection section{title, {}, true};
    for (const auto& [name, value] : values) section.rows.push_back({name, value});
    return section;
}

namespace {

void appendRows(std::string& text, const std::vector<TextRow>& rows)
{
    for (const TextRow& row : rows) {
        for (size_t c = 0; c < row.size(); ++c) text += (c > 0 ? "\t" : "") + row[c];
        text += "\r\n";
    }
}

} // namespace

std::string reportText(const ReportDocument& document, bool withProvenance)
{
    std::string text;
    for (size_t s = 0; s < document.sections.size(); ++s) {
        if (s > 0) text += "\r\n";
        appendRows(text, document.sections[s].rows);
    }
    if (withProvenance) {
        if (!text.empty()) text += "\r\n";
        appendRows(text, document.provenance);
    }
    return text;
}
