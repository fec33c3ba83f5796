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
} // namespace Msg
