#include "AppError.h"

namespace Msg {
std::string notInteger(const std::string& text) { return "'" + text + "' は整数ではありません"; }
std::string notFloat(const std::string& text) { return "'" + text + "' は浮動小数点数ではありません"; }
std::string listIndex(long long index)
{
    return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}
std::string cannotOpen(const std::string& path) { return "ファイル " + path + " は開けません"; }
std::string cannotCreate(const std::string& path) { return "ファイル " + path + " を作成できません"; }
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
std::string profileLength(long long length) { return "プロファイル長 " + num(length) + " は 1024 以下でなければなりません"; }
std::string bandLines(long long lines) { return "バンドのライン数 " + num(lines) + " は 1 から 65 まででなければなりません"; }
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
} // namespace Msg
