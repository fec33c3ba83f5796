#pragma once
// A sink that keeps what the DICOM reader writes, for use without a window.
#include "DicomReader.h"
#include "HeaderExport.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct DicomRecord : DicomSink {
    bool locked = false;                    // the window "Lock" as the reader sees it
    std::map<DicomEdit, std::string> edits; // the last text written to each edit
    std::optional<bool> swap;               // set when the file named its byte order
    std::vector<TagGridRow> grid;           // row 0 is the caption row, left empty
    std::string summary;

    bool windowLocked() const override { return locked; }
    void setEdit(DicomEdit edit, const std::string& text) override { edits[edit] = text; }
    void setSwap(bool on) override { swap = on; }
    void startGrid(int rows) override;
    void setCell(int column, int row, std::string text) override;
    void setRowCount(int rows) override;
    void showSummary(const std::string& text) override { summary = text; }

    std::string edit(DicomEdit which) const; // empty when never written
    const std::string& cell(int column, int row) const;
};
