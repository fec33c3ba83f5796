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
} // namespace Msg
