#pragma once
// What a saved report holds, independent of how it is drawn: sections of text rows
// (results, tables) and the provenance of the measurement, and the tab-separated
// text of the same sections.
#include <string>
#include <utility>
#include <vector>

using TextRow = std::vector<std::string>;

struct ReportSection {
    std::string title;         // shown in the PDF; the text form leaves it out
    std::vector<TextRow> rows; // a table's first row holds its captions
    bool results = false;      // names and values, shown before the charts
};

using NamedValues = std::vector<std::pair<std::string, std::string>>;

struct ReportDocument {
    std::string title;
    std::vector<ReportSection> sections;
    std::vector<TextRow> provenance; // a name, then its values
};

// The rows of a memo or clipboard text: lines cut at CR LF, fields at TAB.
std::vector<TextRow> rowsOfText(const std::string& text);

// A results section: one row per name and value.
ReportSection resultsSection(const std::string& title, const NamedValues& values);

// Every section's rows as TAB-separated lines ending with CR LF, an empty line between
// sections; with provenance, its rows follow as a last section.
std::string reportText(const ReportDocument& document, bool withProvenance);
