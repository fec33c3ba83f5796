#include "SpectrumCalculation.h"

#include "ErrorMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace {

// A 16-bit image, low byte first, behind `header` bytes.
ByteBuffer image16(int width, int height, const std::function<int(int x, int y)>& value, int header = 0)
{
    ByteBuffer buffer(static_cast<size_t>(header + 2 * width * height), 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto word = static_cast<uint16_t>(value(x, y));
            const size_t at = static_cast<size_t>(header + 2 * (y * width + x));
            buffer[at] = static_cast<uint8_t>(word & 0xFF);
            buffer[at + 1] = static_cast<uint8_t>(word >> 8);
        }
    return buffer;
}

// The window's defaults after Load for a square ROI of the given size at (0, 0).
SpectrumParameters defaults(int roi, int imageSize)
{
    SpectrumParameters p;
    p.W = imageSize;
    p.imageColumns = imageSize;
    p.imageRows = imageSize;
    p.RX = p.RY = roi;
    p.SgX = roi / 4;
    p.SgY = 16;
    p.ShX = p.SgX / 2;
    p.ShY = 8;
    p.limit = 10000;
    p.hamming = true;
    p.bandDegree.value = 1;
    p.segmentDegree.value = 1;
    p.pixelSpacing.value = 0.5;
    return p;
}

struct RecordedProfiles : ProfileSink {
    explicit RecordedProfiles(const SpectrumState& s) : state(s) {}
    void DrawProfile() override { profiles.emplace_back(state.FftRe.begin(), state.FftRe.begin() + state.PointCount); }
    const SpectrumState& state;
    std::vector<std::vector<double>> profiles;
};

struct Calculation : ::testing::Test {
    std::unique_ptr<SpectrumState> state = std::make_unique<SpectrumState>();
    RecordedProfiles drawn{*state};

    int32_t run(const SpectrumParameters& p, const ByteBuffer& image)
    {
        return calculateSpectrum(*state, p, image, drawn);
    }

    std::string failure(const SpectrumParameters& p, const ByteBuffer& image)
    {
        return errorMessageOf([&] { run(p, image); });
    }
    double maxAbs(const std::array<double, SpectrumArraySize>& a, int from, int to)
    {
        double m = 0;
        for (int i = from; i < to; ++i) m = std::max(m, std::abs(a[i]));
        return m;
    }
};

ByteBuffer noise(int size, double sigma, unsigned seed)
{
    std::mt19937 generator(seed);
    std::normal_distribution<double> normal(1000.0, sigma);
    return image16(size, size, [&](int, int) { return static_cast<int>(std::lround(normal(generator))); });
}

// The method written out plainly, band matrix by position, every power and window
// weight computed where it is used, one lag at a time: the calculation's shortcuts
// must give the same numbers to the last bit.
struct Reference {
    std::unique_ptr<SpectrumState> s = std::make_unique<SpectrumState>();

    void run(const SpectrumParameters& p, const ByteBuffer& image)
    {
        const SpectrumRoles r = rolesOf(p);
        const SampleLayout layout{p.header, p.W, p.swap, p.offset};
        std::vector<std::vector<double>> band(r.L, std::vector<double>(r.f));
        std::vector<double> profile(r.L);
        s->WsAcf.fill(0);
        s->WsSpectrum.fill(0);
        int used = 0, bands = 0;
        double dx = 0, wmm = 0;
        for (int v = 0; v + r.f - 1 < r.P && used < p.limit; v += r.bandStep) {
            for (int line = 0; line < r.f; ++line)
                for (int k = 0; k < r.L; ++k)
                    band[k][line] = p.directionY ? sampleValue(image, layout, p.y0 + k, p.x0 + v + line) * p.C
                                                 : sampleValue(image, layout, p.y0 + v + line, p.x0 + k) * p.C;
            std::fill(profile.begin(), profile.end(), 0.0);
            if (p.bandTrend) {
                for (int line = 0; line < r.f; ++line) {
                    for (int k = 0; k < r.L; ++k) {
                        s->LsmX[k] = k;
                        s->LsmY[k] = band[k][line];
                    }
                    LSM(*s, p.bandDegree.value, r.L);
                    for (int k = 0; k < r.L; ++k) profile[k] += band[k][line] - fittedValue(*s, p.bandDegree.value, k);
                }
            } else {
                double total = 0;
                for (int k = 0; k < r.L; ++k) {
                    for (int line = 0; line < r.f; ++line) profile[k] += band[k][line];
                    total += profile[k];
                }
                for (int k = 0; k < r.L; ++k) profile[k] -= total / r.L;
            }
            for (double& value : profile) value /= r.f;
            for (int d = 0; d <= r.L - r.N; ++d) {
                double sum = 0;
                for (int l = 0; l < r.N; ++l) sum += profile[l] * profile[l + d];
                s->WsAcf[d] += sum;
            }
            ++bands;
            dx = p.pixelSpacing.value;
            wmm = r.f * dx;
            for (int start = 0; start + r.N - 1 < r.L && used < p.limit; start += r.segmentStep) {
                auto& re = s->FftRe;
                auto& im = s->FftIm;
                for (int l = 0; l < r.N; ++l) {
                    re[l] = profile[start + l];
                    im[l] = 0;
                }
                if (p.segmentTrend) {
                    for (int l = 0; l < r.N; ++l) {
                        s->LsmX[l] = l;
                        s->LsmY[l] = re[l];
                    }
                    LSM(*s, p.segmentDegree.value, r.N);
                    for (int l = 0; l < r.N; ++l) re[l] -= fittedValue(*s, p.segmentDegree.value, l);
                } else {
                    double total = 0;
                    for (int l = 0; l < r.N; ++l) total += re[l];
                    for (int l = 0; l < r.N; ++l) re[l] -= total / r.N;
                }
                double K = 1;
                if (p.hamming) {
                    double total = 0;
                    for (int l = 0; l < r.N; ++l) {
                        const double w = 0.54 - 0.46 * std::cos(6.2831852 * l / (r.N - 1));
                        re[l] *= w;
                        total += w;
                    }
                    K = (r.N - 1) / total;
                }
                s->PointCount = r.N;
                FFT(*s);
                for (int l = 0; l < r.N; ++l) {
                    double power = (re[l] * re[l] + im[l] * im[l]) * dx * dx * wmm * wmm / (r.N * dx * wmm);
                    if (p.hamming) power = power * K * K;
                    s->WsSpectrum[l] += power;
                }
                ++used;
            }
        }
        for (int l = 0; l < r.N; ++l) s->WsSpectrum[l] /= used;
        for (int d = 0; d < r.N; ++d) s->WsAcf[d] = s->WsAcf[d] * dx * wmm * dx * wmm / (r.N * dx * wmm) / bands;
    }
};

} // namespace

TEST_F(Calculation, ShortcutsGiveTheMethodsResultsToTheLastBit)
{
    const ByteBuffer image = image16(96, 80, [](int x, int y) { return (x * 37 + y * 101 + x * y) % 251 + x / 3; });
    struct Case {
        bool directionY, bandTrend, segmentTrend, hamming;
        int bandDegree, segmentDegree;
    } cases[] = {
        {false, false, false, true, 0, 0},
        {false, true, true, true, 2, 2},
        {true, true, false, false, 3, 0},
        {false, false, true, false, 0, 5},
    };
    for (const Case& c : cases) {
        SpectrumParameters p = defaults(64, 96);
        p.imageRows = 80;
        p.x0 = 20;
        p.y0 = 10;
        p.RY = 70;
        p.SgX = 32;
        p.ShX = 8;
        p.ShY = 5;
        p.directionY = c.directionY;
        p.bandTrend = c.bandTrend;
        p.segmentTrend = c.segmentTrend;
        p.hamming = c.hamming;
        p.bandDegree.value = c.bandDegree;
        p.segmentDegree.value = c.segmentDegree;
        if (c.directionY) std::swap(p.SgX, p.SgY);
        run(p, image);
        Reference reference;
        reference.run(p, image);
        const int n = rolesOf(p).N;
        for (int l = 0; l < n; ++l) ASSERT_EQ(state->WsSpectrum[l], reference.s->WsSpectrum[l]) << l;
        for (int d = 0; d < SpectrumArraySize; ++d) ASSERT_EQ(state->WsAcf[d], reference.s->WsAcf[d]) << d;
    }
}

TEST_F(Calculation, SixtyFourSquareWithDefaultsUsesFortyNineSegments)
{
    const SpectrumParameters p = defaults(64, 64);
    EXPECT_EQ(run(p, noise(64, 20, 1)), 49);
    EXPECT_EQ(state->SegmentLength, 16);
    EXPECT_EQ(state->PointCount, 16);
    // Bands start at 0, 8, ..., 48; only band 0 is a multiple of 64 div 3 = 21.
    ASSERT_EQ(drawn.profiles.size(), 1u);
    EXPECT_EQ(drawn.profiles[0].size(), 64u);
    // Lags 0..48 are summed, 0..15 normalised, 49 on untouched.
    EXPECT_NE(state->WsAcf[48], 0.0);
    EXPECT_EQ(state->WsAcf[49], 0.0);
    EXPECT_GT(state->WsAcf[0], 0.0);
}

TEST_F(Calculation, SegmentLimitStopsInTheSecondBandAndAveragesTheAcfOverBandsBegun)
{
    // Every row alike, so every band profile is the same and the normalised ACF
    // does not depend on how many bands were summed, if it is divided by their number.
    std::mt19937 generator(7);
    std::vector<int> row(64);
    for (int& v : row) v = static_cast<int>(generator() % 200);
    const ByteBuffer image = image16(64, 64, [&](int x, int) { return row[x]; });

    SpectrumParameters p = defaults(64, 64);
    p.limit = 10;
    EXPECT_EQ(run(p, image), 10);
    const auto limitedAcf = state->WsAcf;

    p.limit = 10000;
    EXPECT_EQ(run(p, image), 49);
    for (int d = 0; d < 16; ++d) EXPECT_NEAR(limitedAcf[d], state->WsAcf[d], 1e-9 * std::abs(state->WsAcf[0])) << d;
}

TEST_F(Calculation, SameInputGivesTheSameSpectrumOnEveryRun)
{
    // Direction Y on a 16 x 128 image with segments of 64: more entries than the
    // row length of 16. A value an earlier run left behind must not survive.
    std::mt19937 generator(11);
    const ByteBuffer image = image16(16, 128, [&](int, int) { return static_cast<int>(1000 + generator() % 50); });
    SpectrumParameters p = defaults(16, 16);
    p.imageRows = 128;
    p.RY = 128;
    p.directionY = true;
    p.SgY = 64;
    p.ShY = 32;
    state->WsSpectrum.fill(std::numeric_limits<double>::quiet_NaN());
    ASSERT_EQ(run(p, image), 21); // 7 bands of 4 lines, 3 segments each
    const auto first = state->WsSpectrum;
    for (int l = 0; l < 64; ++l) EXPECT_TRUE(std::isfinite(first[l])) << l;
    EXPECT_EQ(maxAbs(first, 64, SpectrumArraySize), 0.0);
    for (int press = 0; press < 3; ++press) {
        run(p, image);
        for (int l = 0; l < SpectrumArraySize; ++l) ASSERT_EQ(state->WsSpectrum[l], first[l]) << l;
    }
}

TEST_F(Calculation, StepsBeyondTheRoiEndAfterOneBandOrSegment)
{
    SpectrumParameters p = defaults(64, 64);
    p.ShY = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(run(p, noise(64, 20, 3)), 7); // one band of seven segments
    p.ShX = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(run(p, noise(64, 20, 3)), 1);
}

TEST_F(Calculation, ResultsBeyondTheDoubleRangeFail)
{
    SpectrumParameters p = defaults(64, 64);
    p.C = 1e300; // the squared magnitudes leave the range
    EXPECT_EQ(failure(p, noise(64, 20, 4)), "不正な浮動小数点数演算命令");
    p = defaults(64, 64);
    p.pixelSpacing.value = 1e200;
    EXPECT_EQ(failure(p, noise(64, 20, 4)), "不正な浮動小数点数演算命令");
}

TEST_F(Calculation, UniformImageGivesZeroSpectrumAndAcf)
{
    const ByteBuffer image = image16(64, 64, [](int, int) { return 1234; });
    for (bool hamming : {false, true}) {
        SpectrumParameters p = defaults(64, 64);
        p.hamming = hamming;
        run(p, image);
        EXPECT_EQ(maxAbs(state->WsSpectrum, 0, SpectrumArraySize), 0.0);
        EXPECT_EQ(maxAbs(state->WsAcf, 0, SpectrumArraySize), 0.0);
    }
}

TEST_F(Calculation, TrendsAreRemovedByTheirFits)
{
    const ByteBuffer ramp = image16(64, 64, [](int x, int y) { return 3 * x + y; });
    const ByteBuffer parabola = image16(64, 64, [](int x, int) { return (x % 16) * (x % 16) - 5 * (x % 16); });

    // Band trend of degree 1: the ramp leaves a zero band profile.
    SpectrumParameters p = defaults(64, 64);
    p.bandTrend = true;
    run(p, ramp);
    EXPECT_LT(maxAbs(state->WsSpectrum, 0, 16), 1e-12);
    for (double v : drawn.profiles.at(0)) EXPECT_NEAR(v, 0.0, 1e-9);

    // Without it only the mean goes: the ramp fills the low frequencies.
    p.bandTrend = false;
    p.hamming = false;
    run(p, ramp);
    EXPECT_GT(state->WsSpectrum[1], 1000.0);
    EXPECT_GT(state->WsSpectrum[1], 10 * state->WsSpectrum[8]);

    // Segment trend of degree 2 removes a parabola that repeats with every segment.
    p.segmentTrend = true;
    p.segmentDegree.value = 2;
    p.ShX = 16;
    run(p, parabola);
    EXPECT_LT(maxAbs(state->WsSpectrum, 0, 16), 1e-12);
}

TEST_F(Calculation, DegreeZeroTrendsSubtractTheMean)
{
    const ByteBuffer image = noise(64, 20, 3);
    SpectrumParameters p = defaults(64, 64);
    run(p, image);
    const auto plain = state->WsSpectrum;
    const auto plainAcf = state->WsAcf;

    p.bandTrend = p.segmentTrend = true;
    p.bandDegree.value = p.segmentDegree.value = 0;
    run(p, image);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(state->WsSpectrum[k], plain[k], 1e-9 * plain[1]) << k;
    for (int d = 0; d < 16; ++d) EXPECT_NEAR(state->WsAcf[d], plainAcf[d], 1e-9 * plainAcf[0]) << d;
}

TEST_F(Calculation, SwapAndOffsetAreAppliedToTheStoredWords)
{
    // Alternating columns: the band profile is +-half the difference of the two values.
    struct Case {
        const char* name;
        int even, odd;
        bool swap;
        int offset;
        double C;
        double firstProfileValue;
    } cases[] = {
        {"bytes as stored", 0x0100, 0, false, 0, 1.0, 128},
        {"bytes exchanged", 0x0100, 0, true, 0, 1.0, 0.5},
        {"times C", 0x0100, 0, true, 0, 3.0, 1.5},
        {"offset wraps past 32767", 32767, 0, false, 1, 1.0, -16384.5},
    };
    for (const Case& c : cases) {
        const ByteBuffer image = image16(64, 64, [&](int x, int) { return x % 2 == 0 ? c.even : c.odd; });
        SpectrumParameters p = defaults(64, 64);
        p.swap = c.swap;
        p.offset = c.offset;
        p.C = c.C;
        drawn.profiles.clear();
        run(p, image);
        ASSERT_EQ(drawn.profiles.size(), 1u) << c.name;
        EXPECT_DOUBLE_EQ(drawn.profiles[0][0], c.firstProfileValue) << c.name;
    }
}

TEST_F(Calculation, WhiteNoiseIsFlatAtItsVarianceTimesSpacingSquared)
{
    const double sigma = 20, dx = 0.5;
    const ByteBuffer image = noise(512, sigma, 42);
    SpectrumParameters p = defaults(512, 512);
    p.SgX = 64;
    p.ShX = 32;
    p.pixelSpacing.value = dx;
    const double expected = sigma * sigma * dx * dx;

    auto meanLevel = [&](bool hamming) {
        p.hamming = hamming;
        run(p, image);
        double total = 0;
        for (int k = 4; k <= 32; ++k) total += state->WsSpectrum[k];
        return total / 29;
    };
    const double rect = meanLevel(false);
    EXPECT_NEAR(rect / expected, 1.0, 0.03);
    for (int k = 1; k <= 32; ++k) EXPECT_NEAR(state->WsSpectrum[k] / expected, 1.0, 0.15) << k;

    // Hamming: higher by K^2 * sum(w^2) / N, K = (N - 1) / sum(w).
    double sumW = 0, sumW2 = 0;
    for (int l = 0; l < 64; ++l) {
        const double w = 0.54 - 0.46 * std::cos(6.2831852 * l / 63);
        sumW += w;
        sumW2 += w * w;
    }
    const double K = 63 / sumW;
    const double factor = K * K * sumW2 / 64;
    EXPECT_NEAR(factor, 1.34, 0.01);
    EXPECT_NEAR(meanLevel(true) / rect, factor, 0.04);
}

TEST_F(Calculation, VerticalStripesShowAlongXAndNotAlongY)
{
    const ByteBuffer stripes = image16(64, 64, [](int x, int) { return (x / 2) % 2 == 0 ? 100 : 0; });
    SpectrumParameters p = defaults(64, 64);
    p.hamming = false;
    run(p, stripes);
    EXPECT_GT(state->WsSpectrum[4], 100.0); // period 4 pixels: k = N/4
    EXPECT_LT(state->WsSpectrum[1], 1e-9);

    p.directionY = true;
    run(p, stripes);
    EXPECT_EQ(maxAbs(state->WsSpectrum, 0, 16), 0.0);
}

TEST_F(Calculation, NoSegmentFailsAsZeroByZeroAfterClearing)
{
    state->WsAcf.fill(5);
    state->SegmentLength = 99;
    SpectrumParameters p = defaults(64, 64);
    p.SgY = 65; // more lines per band than the ROI has: no band
    EXPECT_EQ(failure(p, noise(64, 20, 5)), "不正な浮動小数点数演算命令");
    EXPECT_EQ(maxAbs(state->WsAcf, 0, SpectrumArraySize), 0.0);
    EXPECT_EQ(state->SegmentLength, 99);

    p = defaults(64, 64);
    p.limit = 0;
    EXPECT_EQ(failure(p, noise(64, 20, 5)), "不正な浮動小数点数演算命令");

    p = defaults(64, 64);
    p.SgX = 128;
    p.imageColumns = p.W = 128;
    EXPECT_EQ(failure(p, image16(128, 64, [](int x, int) { return x; })), "不正な浮動小数点数演算命令");
}

TEST_F(Calculation, FewerThanThreeLinesFailsAsIntegerDivisionAfterTheFirstBandsAcf)
{
    state->WsAcf.fill(0);
    SpectrumParameters p = defaults(64, 64);
    p.RY = 2;
    p.SgY = 1;
    EXPECT_EQ(failure(p, noise(64, 20, 6)), "ゼロによる除算");
    EXPECT_GT(state->WsAcf[0], 0.0);
    EXPECT_TRUE(drawn.profiles.empty());
}

TEST_F(Calculation, DegreeThatDoesNotConvertFailsAtTheFirstFit)
{
    SpectrumParameters p = defaults(64, 64);
    p.bandTrend = true;
    p.bandDegree.failure = "'x' は整数ではありません";
    state->WsSpectrum.fill(3);
    EXPECT_EQ(failure(p, noise(64, 20, 8)), "'x' は整数ではありません");
    EXPECT_EQ(state->SegmentLength, 16);
    EXPECT_EQ(state->WsSpectrum[0], 0.0);
}

TEST_F(Calculation, ParametersBeyondTheFixedStorageAreRefusedChangingNothing)
{
    const ByteBuffer image = noise(64, 20, 9);
    const ByteBuffer wide = image16(2048, 2, [](int x, int) { return x; });
    struct Case {
        const char* name;
        std::function<void(SpectrumParameters&)> change;
        const ByteBuffer* image;
        std::string message;
    } cases[] = {
        {"segment not a power of two", [](auto& p) { p.SgX = 12; }, &image,
         "セグメント長 12 は 2 から 1024 までの 2 のべき乗でなければなりません"},
        {"segment of one", [](auto& p) { p.SgX = 1; }, &image,
         "セグメント長 1 は 2 から 1024 までの 2 のべき乗でなければなりません"},
        {"segment of 2048", [](auto& p) { p.SgX = 2048; }, &image,
         "セグメント長 2048 は 2 から 1024 までの 2 のべき乗でなければなりません"},
        {"segment along Y",
         [](auto& p) {
             p.directionY = true;
             p.SgY = 48;
         },
         &image, "セグメント長 48 は 2 から 1024 までの 2 のべき乗でなければなりません"},
        {"profile over 1024",
         [](auto& p) {
             p.W = p.imageColumns = 2048;
             p.imageRows = 2;
             p.RX = 1025;
             p.RY = 2;
             p.SgY = 1;
         },
         &wide, "プロファイル長 1025 は 1024 以下でなければなりません"},
        {"no line per band", [](auto& p) { p.SgY = 0; }, &image,
         "バンドのライン数 0 は 1 から 65 まででなければなりません"},
        {"66 lines per band", [](auto& p) { p.SgY = 66; }, &image,
         "バンドのライン数 66 は 1 から 65 まででなければなりません"},
        {"band degree 17",
         [](auto& p) {
             p.bandTrend = true;
             p.bandDegree.value = 17;
         },
         &image, "トレンドの次数 17 は 0 から 16 まで、かつ当てはめる点数 64 未満でなければなりません"},
        {"negative band degree",
         [](auto& p) {
             p.bandTrend = true;
             p.bandDegree.value = -1;
         },
         &image, "トレンドの次数 -1 は 0 から 16 まで、かつ当てはめる点数 64 未満でなければなりません"},
        {"segment degree as high as its points",
         [](auto& p) {
             p.segmentTrend = true;
             p.segmentDegree.value = 16;
         },
         &image, "トレンドの次数 16 は 0 から 16 まで、かつ当てはめる点数 16 未満でなければなりません"},
        {"segment step 0", [](auto& p) { p.ShX = 0; }, &image, "シフト 0 は 1 以上でなければなりません"},
        {"band step -8", [](auto& p) { p.ShY = -8; }, &image, "シフト -8 は 1 以上でなければなりません"},
        {"ROI past the right edge", [](auto& p) { p.x0 = 1; }, &image, "ROI が画像の外にはみ出しています"},
        {"ROI above the top", [](auto& p) { p.y0 = -1; }, &image, "ROI が画像の外にはみ出しています"},
        {"ROI below the image", [](auto& p) { p.imageRows = 63; }, &image, "ROI が画像の外にはみ出しています"},
        {"image width changed since Load", [](auto& p) { p.imageColumns = 63; }, &image,
         "画像の幅 63 が ImageSize 64 と違います。Load を押してください"},
        {"row length shorter than the ROI", [](auto& p) { p.W = p.imageColumns = 32; }, &image,
         "ROI が画像の外にはみ出しています"},
        {"header past the buffer's end", [](auto& p) { p.header = 2; }, &image, "ROI が画像の外にはみ出しています"},
        {"negative header", [](auto& p) { p.header = -2; }, &image, "ROI が画像の外にはみ出しています"},
        {"negative ROI width", [](auto& p) { p.RX = -64; }, &image,
         "ROI の大きさ -64 x 64 は 1 以上でなければなりません"},
        {"ROI of no lines", [](auto& p) { p.RY = 0; }, &image, "ROI の大きさ 64 x 0 は 1 以上でなければなりません"},
        {"ROI left of the image", [](auto& p) { p.x0 = std::numeric_limits<int32_t>::min(); }, &image,
         "ROI が画像の外にはみ出しています"},
        {"ROI as wide as the integers go",
         [](auto& p) {
             p.RX = std::numeric_limits<int32_t>::max();
             p.SgX = 1024;
         },
         &image, "プロファイル長 2147483647 は 1024 以下でなければなりません"},
        {"negative pixel spacing", [](auto& p) { p.pixelSpacing.value = -0.5; }, &image,
         "ピクセル間隔 -0.5 mm は負であってはなりません"},
    };
    for (const Case& c : cases) {
        SpectrumParameters p = defaults(64, 64);
        c.change(p);
        state->WsSpectrum.fill(7);
        state->WsAcf.fill(7);
        state->SegmentLength = 77;
        EXPECT_EQ(failure(p, *c.image), c.message) << c.name;
        EXPECT_EQ(state->WsSpectrum[0], 7.0) << c.name;
        EXPECT_EQ(state->WsAcf[1024], 7.0) << c.name;
        EXPECT_EQ(state->SegmentLength, 77) << c.name;
        EXPECT_TRUE(drawn.profiles.empty()) << c.name;
    }
}
