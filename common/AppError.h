#pragma once
// The one error type of the program: a failure that ends the running handler
// and is shown to the user with its exact message text.
#include <cstddef>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

// The system's messages (UTF-8).
namespace Msg {
// The logic's refusals: images, ROIs and views it cannot serve, and inputs beyond
// the fixed arrays of the MTF and spectrum calculations.
inline const char* const trimNeeds16Bit = "8bit モードの画像はトリミングできません。";
inline const char* const imageBeyondFile = "画像がファイルの大きさを超えているため処理できません。";
inline const char* const viewNotSquare = "表示範囲が正方形でないため回転できません。";
inline const char* const viewOutsideImage = "表示範囲が画像からはみ出しているため回転できません。";
inline const char* const roiHoldsNoSamples = "ROI に画素がありません。";
inline const char* const noHalfCrossing = "半値を横切る点が見つかりません (FWHM を求められません)";
inline const char* const noSspzData = "SSPz のデータがありません";
inline const char* const tooMuchSspzData = "SSPz のデータ数が多すぎます (最大 2049)";
inline const char* const noUid = "UID なし";                          // a series without a UID, among those of a folder
std::string fileEmpty(const std::string& path);                       // "ファイル %s は空です"
std::string displayBitmapTooLarge(long long width, long long height); // "表示画像 %d x %d は大きすぎます"
std::string tooManyInputRows(long long rows, long long maxRows); // "入力データが多すぎます (%d 行, 最大 %d 行)"
std::string sspzTooLongForMtf(long long maxPoints,
                              long long points); // "MTF を求められる SSPz は %d 点までです (%d 点)"
std::string fftPointCount(long long points); // "FFT の点数 %d は 2 から 1024 までの 2 のべき乗でなければなりません"
std::string lsmOutOfRange(long long degree, long long points); // "最小二乗法の次数 %d または点数 %d が範囲外です"
// A file that ends before its image: the load's warning, and the refusal of a ROI reaching the missing rows.
std::string imageCutShort(const std::string& path, long long missingBytes, long long wholeRows, long long rows);
std::string roiInMissingRows(const std::string& path, long long wholeRows, long long rows);

std::string notInteger(const std::string& text); // "'%s' は整数ではありません"
std::string notFloat(const std::string& text);   // "'%s' は浮動小数点数ではありません"
inline const char* const floatDivByZero = "0 による浮動小数点数除算";
inline const char* const invalidFloatOp = "不正な浮動小数点数演算命令";
inline const char* const intDivByZero = "ゼロによる除算";
inline const char* const intOverflow = "整数のオーバーフロー";
std::string listIndex(long long index);          // "リストのインデックスが範囲を超えています (%d)"
std::string cannotOpen(const std::string& path); // "ファイル %s は開けません"
std::string cannotCreate(const std::string& path); // "ファイル %s を作成できません"
std::string fileNotWritten(const std::string& path, const std::string& reason); // an earlier file stays

// The series measurement and the measurements without the windows.
inline const char* const seriesNeedsTwoSlices = "スライス間隔を求めるには 2 枚以上のスライスが必要です";
std::string severalSeries(const std::string& folder, const std::string& uids); // the folder and its series, listed
std::string noSlices(const std::string& path);
std::string sizeUnknown(const std::string& path); // neither the name nor the header gives the matrix size

// Reports.
inline const char* const reportNotSaved = "保存を取り消しました。ファイルは書かれていません";
std::string reportSaveFailed(const std::string& path, const std::string& reason);
inline const char* const reportNeedsResult = "保存する結果がありません。先に計算してください";

// Spectrum parameters the fixed storage, the image or the loops cannot serve.
std::string segmentLength(long long n);
std::string profileLength(long long length);
std::string bandLines(long long lines);
std::string trendDegree(long long degree, long long points);
std::string shiftBelowOne(long long shift);
std::string imageWidthDiffers(long long columns, long long rowLength);
std::string roiSizeNotPositive(long long width, long long height);
std::string negativePixelSpacing(const std::string& spacing);
inline const char* const roiOutsideImage = "ROI が画像の外にはみ出しています";

// Decoding DICOM files the byte-pattern reader cannot read as they are.
std::string cannotDecode(const std::string& path,
                         const std::string& syntax); // "ファイル %s の画像を復号できません (%s)"
std::string notOneGreySlice(const std::string& path,
                            const std::string& why); // "ファイル %s は 1 枚のグレー画像として表示できません (%s)"
std::string frameCount(unsigned frames);                            // "%u フレーム"
std::string colourImage(const std::string& photometric);            // "カラー %s"
std::string bitsAllocated(unsigned bits);                           // "BitsAllocated %u"
std::string damagedStructure(const std::string& path, size_t byte); // the DICOM structure breaks at that byte
// The decoder program, when it fails a file twice, and the codec's warnings on a file
// it decoded.
std::string decoderFailed(const std::string& path, const std::string& how);
std::string decodingWarning(const std::string& text); // a line of the summary
std::string decodingFile(const std::string& path);    // while the decoder works on it
inline const char* const decoderAnswerUnreadable = "an answer that could not be read";
// How a helper program failed a request.
std::string helperCannotStart(const std::string& program, const std::string& reason);
std::string helperTookTooLong(int ms);
std::string helperStopped(int signal);
std::string helperEndedBySignal(int signal);
std::string helperEnded(int status);

// The slices of a series in position order.
std::string seriesInPositionOrder(size_t slices); // "%u 枚 位置順"
std::string seriesInNameOrder(size_t slices);     // "%u 枚 名前順 (位置なし)": a slice has no position
std::string filesLeftOut(size_t files);           // "・他 %u 件除外": other series, no images
std::string samePosition(const std::string& a, const std::string& b, const std::string& position);
std::string irregularSpacing(const std::string& a, const std::string& positionA, const std::string& b,
                             const std::string& positionB, const std::string& interval);
std::string cannotRead(const std::string& path, const std::string& reason); // a file of the series' folder

// The task-based measurements: the TTF of an insert and the 2-D NPS.
inline const char* const noSlicesToMeasure = "there are no slices to measure";
std::string sliceSizesDiffer(long long columns, long long rows, long long otherColumns, long long otherRows);
std::string sliceValuesMissing(long long columns, long long rows, size_t values);
std::string spacingNotPositive(double spacing);
std::string insertDiameterNotPositive(double diameter);
std::string insertCentreOutside(double x, double y);
std::string insertLargerThanImage(double diameter);
inline const char* const insertHoldsNoPixels = "the insert, its edge or its background holds no pixels of the image";
inline const char* const insertWithoutContrast = "the insert shows no contrast against its background";
std::string npsRoiSize(long long size); // "the ROI size %d is not a power of two from 8 to 1024"
std::string npsFrameHoldsNoRoi(long long width, long long height, long long size);
inline const char* const npsFrameOutside = "the ROI frame lies outside the image";
std::string differenceSeriesCounts(size_t first, size_t second);
std::string sliceRangeText(const std::string& text); // "'%s' is no slice range FIRST..LAST"
std::string sliceRangeOutside(long long first, long long last, size_t count);

// What the windows ask and tell, and the measuring command's usage errors.
inline const char* const calNeedsRoiTool = "Cal. は ROI の平均値を測ります。ツールを \"ROI\" にしてから押してください";
inline const char* const calNeedsRoiLock =
    "Cal. の間 ROI を動かさないよう、ROI の \"Lock\" をチェックしてから押してください";
inline const char* const trimmedImageSaved = "トリミングした画像を保存しました。";
inline const char* const matrixSizePrompt = "Matrix Size x y , ";
inline const char* const pixelSpacingCaption = "InputBox";
inline const char* const pixelSpacingPrompt = "ﾋﾟｸｾﾙ間隔(mm)を入力してください。";
std::string replaceTrimmedFile(const std::string& path); // the question before a file is replaced
inline const char* const subcommandNeeded = "a subcommand is needed";
std::string unknownSubcommand(const std::string& command); // "unknown subcommand '%s'"
std::string onePathOnly(const std::string& another);       // "one PATH only, '%s' is another"
std::string notAnOptionOf(const std::string& option, const std::string& command);
std::string needsValue(const std::string& option);                              // "%s needs a value"
std::string needsPath(const std::string& command);                              // "%s needs a PATH"
std::string takesNoPath(const std::string& command);                            // "%s takes no PATH"
std::string needsOption(const std::string& command, const std::string& option); // "%s needs %s"
std::string needsRoi(const std::string& command);                               // "%s needs --roi X,Y,W,H"
std::string needsRoiOrCentre(const std::string& command); // "%s needs --roi X,Y,W,H or --centre X,Y"
inline const char* const slicesOrSingle = "--slices and --single exclude each other";
std::string takesCommaValues(const std::string& option, size_t count); // "%s takes %u values separated by commas"
inline const char* const modeChoices = "--mode is 8bit, 16bit or dicom";
std::string optionChoices(const std::string& option, const std::string& choices); // "%s is a|b|c"

// The detectability index: parameters it cannot use, by the name the page shows them with.
std::string notFiniteValue(const std::string& name);             // "%s must be a finite number"
std::string notAboveZero(const std::string& name, double value); // "%s must be greater than 0, not %g"
std::string belowZero(const std::string& name, double value);    // "%s must not be negative, not %g"
inline const char* const ttfSamples =
    "The TTF needs at least one sample, one value per frequency, at frequencies ascending from 0 1/mm";
std::string npsGridValues(long long size, size_t values); // an N x N grid needs N*N values, N >= 2
std::string dprimeUnbounded(const std::string& observer); // the NPS is zero wherever the signal is not
inline const char* const dprimeNeedsTtfAndNps =
    "d′ needs a TTF and an NPS: press \"Cal\" on the TTF and NPS pages first";
std::string badOptionValue(const std::string& option, const std::string& value);
std::string outputLooksLikeOption(const std::string& option, const std::string& value);
std::string reportNeedsPdf(const std::string& path);
std::string outputIsInput(const std::string& path);
std::string notDicomImage(const std::string& path);
} // namespace Msg
