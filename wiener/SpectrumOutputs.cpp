#include "SpectrumOutputs.h"

#include "Arithmetic.h"
#include "NumberFormat.h"

namespace {

std::string line(long double x, long double y) { return formatGeneral(x) + "\t" + formatGeneral(y); }

// WsSpectrum as the smoothing sees it: zero beyond the array.
double spectrumAt(const SpectrumState& s, int32_t index)
{
    return index >= 0 && index < SpectrumArraySize ? s.WsSpectrum[index] : 0.0;
}

long double meanOf(const SpectrumState& s, int32_t first, int32_t last)
{
    long double total = 0;
    for (int32_t i = first; i <= last; ++i) total += spectrumAt(s, i);
    return total / (last - first + 1);
}

} // namespace

long double spatialFrequency(int32_t k, int32_t n, long double dx) { return Checked::fdiv(k, n * dx); }

long double acfLag(int32_t d, long double dx) { return Checked::finite(d * dx); }

std::string exportHeader(const std::string& fileName) { return "c/mm\t" + fileName; }

std::vector<std::string> spectrumLines(const SpectrumState& s, long double dx)
{
    const int32_t n = s.SegmentLength;
    std::vector<std::string> lines;
    for (int32_t k = 1; k <= n / 2; ++k) lines.push_back(line(spatialFrequency(k, n, dx), s.WsSpectrum[k]));
    return lines;
}

std::vector<std::string> acfLines(const SpectrumState& s, long double dx)
{
    std::vector<std::string> lines;
    for (int32_t d = 0; d <= s.SegmentLength / 2; ++d) lines.push_back(line(acfLag(d, dx), s.WsAcf[d]));
    return lines;
}

std::vector<std::string> smoothedLines(const SpectrumState& s, long double dx)
{
    const int32_t n = s.SegmentLength;
    std::vector<std::string> lines;
    lines.push_back(line(spatialFrequency(1, n, dx), 0.7L * spectrumAt(s, 1) + 0.3L * spectrumAt(s, 2)));
    lines.push_back(line(spatialFrequency(2, n, dx), meanOf(s, 1, 4)));
    lines.push_back(line(spatialFrequency(3, n, dx), meanOf(s, 1, 6)));
    for (int32_t k = 4; k <= n + 7; ++k) lines.push_back(line(spatialFrequency(k, n, dx), meanOf(s, k - 3, k + 4)));
    return lines;
}

std::string clipboardText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
}
