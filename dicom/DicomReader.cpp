#include "DicomReader.h"

#include "Arithmetic.h"
#include "Convert.h"
#include "DataSet.h"
#include "DicomDictionary.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int gridStartRows = 1024;
// A value is shown up to this many bytes: a cell shows text, and a private block of
// binary data may be megabytes long.
constexpr size_t longestShownValue = 0xFFFF;

// The text up to the first "\\", empty when there is none.
std::string firstComponent(std::string_view value)
{
    const size_t slash = value.find('\\');
    return std::string(slash == std::string_view::npos ? std::string_view() : value.substr(0, slash));
}

// The text between the first and the second "\\" (to the end when there is no second).
std::string secondComponent(std::string_view value)
{
    const size_t slash = value.find('\\');
    if (slash == std::string_view::npos) return {};
    return std::string(value.substr(slash + 1, value.find('\\', slash + 1) - slash - 1));
}

// The value in upper-case hexadecimal digits, at least `digits` of them.
std::string hex(uint32_t value, size_t digits)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    char text[8];
    size_t first = sizeof text;
    do {
        text[--first] = hexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 || sizeof text - first < digits);
    return {text + first, text + sizeof text};
}

std::string hex4(uint16_t value) { return hex(value, 4); }

// The row number right-aligned in 3 places, as "%3d" writes it.
std::string rowNumber(int row)
{
    std::string text = std::to_string(row);
    if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
    return text;
}

// The label of an element's summary line, or nothing.
std::optional<std::string> summaryLabel(uint16_t group, uint16_t element)
{
    switch (element) {
    case 0x103E: return "Se : ";
    case 0x1152: return "mAs : ";
    case 0x1210: return "RF : ";
    case 0x0060:
        if (group != 0x0008) return "kV : ";
        break;
    }
    switch (dicomTag(group, element)) {
    case dicomTag(0x0018, 0x0050): return "mmST : ";
    case dicomTag(0x0018, 0x0080): return "msTR : ";
    case dicomTag(0x0018, 0x0081): return "msTE : ";
    case dicomTag(0x0018, 0x0083): return "Ac : ";
    case dicomTag(0x0018, 0x0089): return "PE# : ";
    case dicomTag(0x0018, 0x0091): return "ETL : ";
    case dicomTag(0x0018, 0x0095): return "Hz/pxl : ";
    case dicomTag(0x0018, 0x1100): return "mmFOV : ";
    case dicomTag(0x0018, 0x1250): return "Coil : ";
    case dicomTag(0x0018, 0x1310): return "AcMtrx : ";
    case dicomTag(0x0018, 0x1312): return "PE : ";
    case dicomTag(0x0018, 0x7022): return "mmPSize : ";
    case dicomTag(0x0028, 0x0010): return "DspMtrx : ";
    case dicomTag(0x0028, 0x0030): return "mmPSize : ";
    }
    return std::nullopt;
}

// The length as stored: 4 hexadecimal digits, or as many as a longer one needs.
std::string lengthText(uint32_t length) { return hex(length, 4); }

// One pass over the elements read, from the meta group to the data set's own Pixel Data.
class HeaderWalk {
public:
    HeaderWalk(const ByteBuffer& file, const DataSet& set, DicomSink& sink) : file_(file), set_(set), sink_(sink) {}

    std::string run()
    {
        if (!sink_.listsElements()) {
            for (const DataElement& e : set_.elements)
                if (e.depth == 0 && e.kind == DataElement::Kind::Value) takeEffects(e);
            return orientation_;
        }
        sink_.startGrid(capacity_);
        try {
            for (const DataElement& e : set_.elements) show(e);
            sink_.setRowCount(row_);
        } catch (...) {
            // A failed reading still shows the summary of what it read.
            showSummary();
            throw;
        }
        showSummary();
        return orientation_;
    }

private:
    void show(const DataElement& e)
    {
        switch (e.kind) {
        case DataElement::Kind::SequenceStart:
            cell(1, hex4(e.group()));
            cell(2, hex4(e.element()));
            cell(3, "SQ");
            ++row_;
            return;
        case DataElement::Kind::SequenceEnd:
            cell(3, "SQ");
            ++row_;
            return;
        case DataElement::Kind::Value: break;
        }
        std::string number;
        std::string_view value;
        if (!listedValue(e, number, value)) return;
        const std::string_view trimmedValue = trimmed(value);
        if (e.depth == 0) applyEffects(e.group(), e.element(), value, trimmedValue);

        cell(0, rowNumber(row_));
        cell(1, hex4(e.group()));
        cell(2, hex4(e.element()));
        cell(3, std::string(e.vr));
        cell(4, lengthText(e.length));
        cell(5, std::string(dicomName(e.group(), e.element())));
        cell(6, std::string(trimmedValue));
        ++row_;
        if (e.depth == 0) addSummary(e.group(), e.element(), value);
        summaryReached_ = true;
    }

    // The data set's own element's effects on the edits, for a reading that lists nothing.
    void takeEffects(const DataElement& e)
    {
        std::string number;
        std::string_view value;
        if (listedValue(e, number, value)) applyEffects(e.group(), e.element(), value, trimmed(value));
    }

    // The value of an element that is listed, untrimmed, with a number's text held in
    // `number`; false for one that is not listed.
    bool listedValue(const DataElement& e, std::string& number, std::string_view& value) const
    {
        // The meta group's length and version are not listed, nor are empty values.
        if ((e.meta && e.element() < 0x0002) || e.length == 0) return false;
        const std::string_view stored = set_.value(file_.data(), file_.size(), e);
        // Pixels cut short by the end of the file are not listed; what comes before them is.
        if (e.length != undefinedLength && stored.size() < e.length && e.tag == pixelDataTag) return false;
        // Pixels are shown as the image, not as text in a cell or on the clipboard.
        value = e.tag == pixelDataTag ? std::string_view() : stored.substr(0, longestShownValue);
        if (isNumber(e, value)) value = number = std::to_string(signedWord(value, e.encoding.bigEndian));
        return true;
    }

    // "US" values, and 2-byte values of implicit VR above group 0020, are shown as
    // numbers; RescaleSlope stays text.
    static bool isNumber(const DataElement& e, std::string_view value)
    {
        if (e.tag == dicomTag(0x0028, 0x1053)) return false;
        return e.vr == "US" || (e.vr.empty() && value.size() == 2 && e.group() > 0x0020);
    }

    static int16_t signedWord(std::string_view value, bool bigEndian)
    {
        const auto byte = [&](size_t i) { return i < value.size() ? static_cast<uint8_t>(value[i]) : uint8_t{0}; };
        const uint16_t word =
            bigEndian ? static_cast<uint16_t>(byte(0) << 8 | byte(1)) : static_cast<uint16_t>(byte(0) | byte(1) << 8);
        return static_cast<int16_t>(word);
    }

    void applyEffects(uint16_t group, uint16_t element, std::string_view value, std::string_view trimmedValue)
    {
        switch (dicomTag(group, element)) {
        case dicomTag(0x0002, 0x0010): {
            const std::string_view uid = trimmedRight(value);
            if (uid == TransferSyntax::implicitLittleEndian || uid == TransferSyntax::explicitLittleEndian)
                sink_.setSwap(false);
            if (uid == TransferSyntax::explicitBigEndian) sink_.setSwap(true);
            break;
        }
        case dicomTag(0x0010, 0x0000): orientation_ = value.substr(0, 1); break;
        case dicomTag(0x0018, 0x0050): sink_.setEdit(DicomEdit::SThick, std::string(value)); break;
        case dicomTag(0x0018, 0x1100): sink_.setEdit(DicomEdit::FOVSize, std::string(trimmedValue)); break;
        case dicomTag(0x0018, 0x7022): sink_.setEdit(DicomEdit::PxlSpc, firstComponent(trimmedValue)); break;
        case dicomTag(0x0018, 0x7026):
            if (toFloat(firstComponent(trimmedValue)) < toFloat(secondComponent(trimmedValue))) orientation_ = "LAND";
            break;
        case dicomTag(0x0020, 0x0032):
            sink_.setEdit(DicomEdit::PtPos, std::string(trimmedValue.substr(trimmedValue.rfind('\\') + 1)));
            break;
        case dicomTag(0x0028, 0x0010): sink_.setEdit(DicomEdit::ImgSizeY, std::string(value)); break; // Rows
        case dicomTag(0x0028, 0x0011): sink_.setEdit(DicomEdit::ImgSizeX, std::string(value)); break; // Columns
        case dicomTag(0x0028, 0x0030): sink_.setEdit(DicomEdit::PxlSpc, firstComponent(trimmedValue)); break;
        case dicomTag(0x0028, 0x1050):
            if (sink_.windowLocked()) break;
            if (const size_t slash = trimmedValue.find('\\'); slash == std::string_view::npos) {
                sink_.setEdit(DicomEdit::WindowLevel, std::string(trimmedValue));
            } else {
                sink_.setEdit(DicomEdit::WindowLevel, std::string(trimmedValue.substr(0, slash)));
                sink_.setEdit(DicomEdit::WindowWidth, std::string(trimmedValue.substr(slash + 1)));
            }
            break;
        case dicomTag(0x0028, 0x1051):
            if (!sink_.windowLocked())
                sink_.setEdit(DicomEdit::WindowWidth, std::string(trimmedValue.substr(0, trimmedValue.find('\\'))));
            break;
        case dicomTag(0x0028, 0x1052):
            sink_.setEdit(DicomEdit::Offst, std::to_string(Checked::trunc(toFloat(std::string(trimmedValue)))));
            break;
        case dicomTag(0x2010, 0x0040): orientation_ = value.substr(0, 4); break;
        }
    }

    // Model names go in front of the lines gathered so far, the labelled lines after them.
    void addSummary(uint16_t group, uint16_t element, std::string_view value)
    {
        if (dicomTag(group, element) == dicomTag(0x0008, 0x1090)) modelNames_.push_back(std::string(value) + "\r\n");
        else if (const auto label = summaryLabel(group, element)) summaryLines_.append(*label).append(value) += "\r\n";
    }

    // The summary as it stands, shown once the reading ends (by failure or not) rather
    // than rebuilt for every line, which a header of many short elements would make slow.
    // Shown by the reading itself rather than by a destructor: the sink writes controls,
    // and a write that fails while an exception unwinds would end the program.
    void showSummary()
    {
        if (!summaryReached_) return;
        std::string text;
        for (auto name = modelNames_.rbegin(); name != modelNames_.rend(); ++name) text += *name;
        sink_.showSummary(text + summaryLines_);
    }

    // The grid starts empty, so only cells with text are written.
    void cell(int column, std::string text)
    {
        if (text.empty()) return;
        if (row_ >= capacity_) {
            capacity_ *= 2;
            sink_.setRowCount(capacity_);
        }
        sink_.setCell(column, row_, std::move(text));
    }

    const ByteBuffer& file_;
    const DataSet& set_;
    DicomSink& sink_;
    int row_ = 1;
    int capacity_ = gridStartRows;
    std::vector<std::string> modelNames_; // in the order found
    std::string summaryLines_;
    bool summaryReached_ = false; // an element got as far as the summary
    std::string orientation_;
};

} // namespace

std::string readDicom(const ByteBuffer& file, DicomSink& sink)
{
    sink.setEdit(DicomEdit::Header, {});
    sink.setEdit(DicomEdit::ImgSizeX, {});
    sink.setEdit(DicomEdit::ImgSizeY, {});
    sink.setEdit(DicomEdit::FOVSize, {});
    sink.setEdit(DicomEdit::Offst, "0");

    // Only a data set that reaches its own Pixel Data is an image to list.
    const DataSet set = readDataSet(file.data(), file.size(), ReadExtent::ToPixelData);
    if (set.end != DataSetEnd::PixelData) return {};
    sink.setEdit(DicomEdit::Header, std::to_string(set.elements[set.pixelData].valueOffset));
    return HeaderWalk(file, set, sink).run();
}
