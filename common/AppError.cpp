#include "AppError.h"

#include "NumberFormat.h"

namespace Msg {
std::string fileEmpty(const std::string& path) { return "ファイル " + path + " は空です"; }
std::string displayBitmapTooLarge(long long width, long long height)
{
    return "表示画像 " + std::to_string(width) + " x " + std::to_string(height) + " は大きすぎます";
}
std::string tooManyInputRows(long long rows, long long maxRows)
{
    return "入力データが多すぎます (" + std::to_string(rows) + " 行, 最大 " + std::to_string(maxRows) + " 行)";
}
std::string sspzTooLongForMtf(long long maxPoints, long long points)
{
    return "MTF を求められる SSPz は " + std::to_string(maxPoints) + " 点までです (" + std::to_string(points) + " 点)";
}
std::string fftPointCount(long long points)
{
    return "FFT の点数 " + std::to_string(points) + " は 2 から 1024 までの 2 のべき乗でなければなりません";
}
std::string lsmOutOfRange(long long degree, long long points)
{
    return "最小二乗法の次数 " + std::to_string(degree) + " または点数 " + std::to_string(points) + " が範囲外です";
}
std::string imageCutShort(const std::string& path, long long missingBytes, long long wholeRows, long long rows)
{
    return "Warning: " + path + " ends " + std::to_string(missingBytes) + " bytes before its image does; only " +
           std::to_string(wholeRows) + " of its " + std::to_string(rows) + " rows are whole";
}
std::string roiInMissingRows(const std::string& path, long long wholeRows, long long rows)
{
    return "The ROI reaches rows that " + path + " does not hold: it ends after " + std::to_string(wholeRows) +
           " of its " + std::to_string(rows) + " rows. Move the ROI above row " + std::to_string(wholeRows);
}

std::string notInteger(const std::string& text) { return "'" + text + "' は整数ではありません"; }
std::string notFloat(const std::string& text) { return "'" + text + "' は浮動小数点数ではありません"; }
std::string listIndex(long long index)
{
    return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}
std::string cannotOpen(const std::string& path) { return "ファイル " + path + " は開けません"; }
std::string cannotCreate(const std::string& path) { return "ファイル " + path + " を作成できません"; }
std::string fileNotWritten(const std::string& path, const std::string& reason)
{
    return "Could not write " + path + " (" + reason + "); an earlier file of that name is as it was";
}
std::string severalSeries(const std::string& folder, const std::string& uids)
{
    return "フォルダ " + folder + " には複数のシリーズがあります (" + uids + ")。1 枚のスライスを指定してください";
}
std::string noSlices(const std::string& path) { return path + " には測定するスライスがありません"; }
std::string sizeUnknown(const std::string& path)
{
    return "ファイル " + path + " の画像サイズが分かりません。--size X,Y で指定してください";
}
std::string reportSaveFailed(const std::string& path, const std::string& reason)
{
    return cannotCreate(path) + " (" + reason + ")。レポートは保存されていません";
}

namespace {
std::string num(long long v) { return std::to_string(v); }
} // namespace

std::string segmentLength(long long n)
{
    return "セグメント長 " + num(n) + " は 2 から 1024 までの 2 のべき乗でなければなりません";
}
std::string profileLength(long long length)
{
    return "プロファイル長 " + num(length) + " は 1024 以下でなければなりません";
}
std::string bandLines(long long lines)
{
    return "バンドのライン数 " + num(lines) + " は 1 から 65 まででなければなりません";
}
std::string trendDegree(long long degree, long long points)
{
    return "トレンドの次数 " + num(degree) + " は 0 から 16 まで、かつ当てはめる点数 " + num(points) +
           " 未満でなければなりません";
}
std::string shiftBelowOne(long long shift) { return "シフト " + num(shift) + " は 1 以上でなければなりません"; }
std::string imageWidthDiffers(long long columns, long long rowLength)
{
    return "画像の幅 " + num(columns) + " が ImageSize " + num(rowLength) + " と違います。Load を押してください";
}
std::string roiSizeNotPositive(long long width, long long height)
{
    return "ROI の大きさ " + num(width) + " x " + num(height) + " は 1 以上でなければなりません";
}
std::string negativePixelSpacing(const std::string& spacing)
{
    return "ピクセル間隔 " + spacing + " mm は負であってはなりません";
}

std::string cannotDecode(const std::string& path, const std::string& syntax)
{
    return "ファイル " + path + " の画像を復号できません (" + syntax + ")";
}
std::string notOneGreySlice(const std::string& path, const std::string& why)
{
    return "ファイル " + path + " は 1 枚のグレー画像として表示できません (" + why + ")";
}
std::string frameCount(unsigned frames) { return std::to_string(frames) + " フレーム"; }
std::string colourImage(const std::string& photometric) { return "カラー " + photometric; }
std::string bitsAllocated(unsigned bits) { return "BitsAllocated " + std::to_string(bits); }
std::string damagedStructure(const std::string& path, size_t byte)
{
    return "The DICOM structure of " + path + " is damaged at byte " + std::to_string(byte) +
           ": an element or a sequence does not fit there. The file is not loaded.";
}
std::string decoderFailed(const std::string& path, const std::string& how)
{
    return "The decoder stopped while decoding " + path + " (" + how + "); the file was tried twice.";
}
std::string decodingWarning(const std::string& text) { return "Decoding warning : " + text; }
std::string decodingFile(const std::string& path) { return "Decoding " + path + "..."; }
std::string helperCannotStart(const std::string& program, const std::string& reason)
{
    return "cannot start " + program + ": " + reason;
}
std::string helperTookTooLong(int ms)
{
    return "no answer within " + (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms");
}
std::string helperStopped(int signal) { return "stopped by signal " + std::to_string(signal); }
std::string helperEndedBySignal(int signal) { return "signal " + std::to_string(signal); }
std::string helperEnded(int status) { return "exit status " + std::to_string(status); }

std::string seriesInPositionOrder(size_t slices) { return std::to_string(slices) + " 枚 位置順"; }
std::string seriesInNameOrder(size_t slices) { return std::to_string(slices) + " 枚 名前順 (位置なし)"; }
std::string filesLeftOut(size_t files) { return "・他 " + std::to_string(files) + " 件除外"; }
std::string samePosition(const std::string& a, const std::string& b, const std::string& position)
{
    return "スライス " + a + " と " + b + " が同じ位置 " + position + " mm にあります。Cal. は測りません";
}
std::string irregularSpacing(const std::string& a, const std::string& positionA, const std::string& b,
                             const std::string& positionB, const std::string& interval)
{
    return "スライス " + a + " (" + positionA + " mm) と " + b + " (" + positionB + " mm) の間隔が、スライス間隔 " +
           interval + " mm と 1 割を超えて違います。Cal. は測りません";
}
std::string cannotRead(const std::string& path, const std::string& reason)
{
    return "Cannot read " + path + " (" + reason + "); the series it may belong to is not measured";
}

std::string replaceTrimmedFile(const std::string& path) { return path + " exists already. Replace it?"; }

std::string sliceSizesDiffer(long long columns, long long rows, long long otherColumns, long long otherRows)
{
    return "the slices differ in size: " + std::to_string(columns) + " x " + std::to_string(rows) + " and " +
           std::to_string(otherColumns) + " x " + std::to_string(otherRows);
}
std::string sliceValuesMissing(long long columns, long long rows, size_t values)
{
    return "a slice of " + std::to_string(columns) + " x " + std::to_string(rows) + " pixels holds " +
           std::to_string(values) + " values";
}
std::string spacingNotPositive(double spacing)
{
    return "the pixel spacing " + formatGeneral(spacing) + " mm is not positive";
}
std::string insertDiameterNotPositive(double diameter)
{
    return "the insert's diameter " + formatGeneral(diameter) + " mm is not positive";
}
std::string insertCentreOutside(double x, double y)
{
    return "the insert's centre " + formatGeneral(x) + ", " + formatGeneral(y) + " lies outside the image";
}
std::string insertLargerThanImage(double diameter)
{
    return "the insert's diameter " + formatGeneral(diameter) + " mm is larger than the image";
}
std::string npsRoiSize(long long size)
{
    return "the ROI size " + std::to_string(size) + " is not a power of two from 8 to 1024";
}
std::string npsFrameHoldsNoRoi(long long width, long long height, long long size)
{
    return "the ROI frame of " + std::to_string(width) + " x " + std::to_string(height) + " pixels holds no ROI of " +
           std::to_string(size) + " x " + std::to_string(size);
}
std::string differenceSeriesCounts(size_t first, size_t second)
{
    return "the two series hold " + std::to_string(first) + " and " + std::to_string(second) +
           " slices; their differences need as many in each";
}
std::string sliceRangeText(const std::string& text) { return "'" + text + "' is no slice range FIRST..LAST"; }
std::string sliceRangeOutside(long long first, long long last, size_t count)
{
    return "the slices " + std::to_string(first) + ".." + std::to_string(last) + " are not among the " +
           std::to_string(count) + " of the series (1.." + std::to_string(count) + ")";
}

std::string unknownSubcommand(const std::string& command) { return "unknown subcommand '" + command + "'"; }
std::string onePathOnly(const std::string& another) { return "one PATH only, '" + another + "' is another"; }
std::string notAnOptionOf(const std::string& option, const std::string& command)
{
    return "'" + option + "' is not an option of " + command;
}
std::string needsValue(const std::string& option) { return option + " needs a value"; }
std::string needsPath(const std::string& command) { return command + " needs a PATH"; }
std::string takesNoPath(const std::string& command) { return command + " takes no PATH"; }
std::string needsOption(const std::string& command, const std::string& option) { return command + " needs " + option; }
std::string needsRoi(const std::string& command) { return command + " needs --roi X,Y,W,H"; }
std::string needsRoiOrCentre(const std::string& command) { return command + " needs --roi X,Y,W,H or --centre X,Y"; }
std::string takesCommaValues(const std::string& option, size_t count)
{
    return option + " takes " + std::to_string(count) + " values separated by commas";
}
std::string optionChoices(const std::string& option, const std::string& choices) { return option + " is " + choices; }

std::string notFiniteValue(const std::string& name) { return name + " must be a finite number"; }
std::string notAboveZero(const std::string& name, double value)
{
    return name + " must be greater than 0, not " + formatGeneral(value);
}
std::string belowZero(const std::string& name, double value)
{
    return name + " must not be negative, not " + formatGeneral(value);
}
std::string npsGridValues(long long size, size_t values)
{
    return "An NPS grid of N x N values needs N of 2 or more and N*N values; N is " + std::to_string(size) +
           " and it holds " + std::to_string(values);
}
std::string dprimeUnbounded(const std::string& observer)
{
    return observer + " has no bound: the NPS is zero wherever the blurred task has signal";
}
std::string badOptionValue(const std::string& option, const std::string& value)
{
    if (option == "--roi") return "--roi takes four whole numbers, not '" + value + "'";
    if (option == "--size") return "--size takes two whole numbers above 0, not '" + value + "'";
    if (option == "--header") return "--header takes a whole number of bytes, 0 or more, not '" + value + "'";
    if (option == "--offset") return "--offset takes a whole number from -32768 to 32767, not '" + value + "'";
    return option + " takes a number, 0 or more, not '" + value + "'";
}
std::string outputLooksLikeOption(const std::string& option, const std::string& value)
{
    return option + " needs a file name, not '" + value + "'";
}
std::string reportNeedsPdf(const std::string& path) { return "the report's name must end in .pdf: '" + path + "'"; }
std::string outputIsInput(const std::string& path) { return "will not overwrite '" + path + "': it is an input"; }
std::string notDicomImage(const std::string& path) { return path + " is not a DICOM image"; }
} // namespace Msg
