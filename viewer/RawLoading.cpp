#include "RawLoading.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "Convert.h"

#include <cmath>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::string> splitAtBlanks(const std::string& text)
{
    std::vector<std::string> tokens(1);
    for (char c : text) {
        if (c == ' ') tokens.emplace_back();
        else tokens.back() += c;
    }
    return tokens;
}

} // namespace

FileNameGeometry parseFileName(const std::string& path)
{
    std::string base = path.substr(path.find_last_of(std::filesystem::path::preferred_separator) + 1);
    base = base.substr(0, base.find('.'));

    FileNameGeometry g;
    const auto tokens = splitAtBlanks(base);
    if (tokens.size() > 1) g.columns = tokens[1];
    if (tokens.size() > 2) g.rows = tokens[2];
    for (size_t i = 3; i < tokens.size(); ++i) g.sizeAnswer += (i > 3 ? " " : "") + tokens[i];
    g.pixelSpacing = g.sizeAnswer;
    if (const auto p = g.pixelSpacing.find('p'); p != std::string::npos) g.pixelSpacing[p] = '.';
    return g;
}

std::string guessMatrixSize(int64_t fileSize, int bytesPerPixel)
{
    const long double side = std::sqrt(static_cast<long double>(fileSize) / bytesPerPixel);
    long long n = 0;
    if (side == std::trunc(side)) {
        n = static_cast<long long>(side);
    } else {
        const long long rounded = roundHalfEven(side);
        n = 64;
        while (n <= rounded) n *= 2;
    }
    return std::to_string(n) + " " + std::to_string(n);
}

MatrixSize parseSizeAnswer(const std::string& answer)
{
    const auto blank = answer.find(' ');
    if (blank == std::string::npos) {
        const int32_t n = toInt(answer);
        return {n, n};
    }
    return {toInt(answer.substr(0, blank)), toInt(answer.substr(blank + 1))};
}
