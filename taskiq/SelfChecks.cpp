// The self-check: its phantoms, measured once each, the checks against their truths
// and their lines.
#include "SelfChecks.h"

#include "DetectabilityInputs.h"
#include "NumberFormat.h"
#include "Phantoms.h"
#include "RoiStatistics.h"
#include "SeriesMeasurement.h"
#include "SeriesMtf.h"

#include "Convert.h"

#include <cmath>
#include <memory>
#include <optional>

namespace {

// Every phantom at 0.5 mm pixels with white noise of 10 HU.
constexpr double Spacing = 0.5, NoiseSd = 10;
// The insert: a 10 mm disk of 100 HU blurred by a Gaussian of SD 0.5 mm, on eight
// slices, so that its TTF is exp(−2π²σ²f²) and its contrast 100 HU.
constexpr double InsertDiameter = 10, InsertContrast = 100, BlurSd = 0.5;
constexpr int InsertSlices = 8, InsertSliceSize = 128;
// The noise field: four slices of 512 x 512.
constexpr int NoiseSlices = 4, NoiseSliceSize = 512;
// d′ reads the NPS of 256-pixel ROIs whose mean alone is removed: a 10 mm disk's
// spectrum lies at the lowest frequencies, which a smaller ROI or a removed plane
// would take from the NPS (the zero-frequency bin of a 64-pixel ROI holds 8 % of the
// disk's signal).
constexpr int DprimeRoiSize = 256;

// The phantoms and their measurements, each made once.
class Phantoms {
public:
    const TtfResult& insertTtf()
    {
        if (!ttf_) {
            std::mt19937_64 random(23);
            std::vector<HuSlice> slices;
            const HuSlice disk = blurredDiskSlice(InsertSliceSize, Spacing, InsertDiameter, InsertContrast, BlurSd);
            for (int i = 0; i < InsertSlices; ++i) {
                slices.push_back(disk);
                addNoiseAndRound(slices.back(), NoiseSd, random);
            }
            TtfSettings settings;
            settings.pixelSpacing = Spacing;
            settings.centreX = settings.centreY = InsertSliceSize / 2;
            settings.diameter = InsertDiameter;
            ttf_ = measureInsertTtf(slices, settings);
        }
        return *ttf_;
    }

    const NpsResult& nps(int roiSize, NpsDetrend detrend)
    {
        std::optional<NpsResult>& kept = roiSize == DprimeRoiSize ? dprimeNps_ : windowNps_;
        if (!kept) {
            NpsSettings settings;
            settings.pixelSpacing = Spacing;
            settings.frame = {0, 0, NoiseSliceSize, NoiseSliceSize};
            settings.roiSize = roiSize;
            settings.detrend = detrend;
            kept = measureNps2D(noiseSlices(), settings);
        }
        return *kept;
    }

private:
    const std::vector<HuSlice>& noiseSlices()
    {
        if (noise_.empty()) {
            std::mt19937_64 random(29);
            for (int i = 0; i < NoiseSlices; ++i) {
                noise_.push_back(uniformSlice(NoiseSliceSize));
                addNoiseAndRound(noise_.back(), NoiseSd, random);
            }
        }
        return noise_;
    }

    std::optional<TtfResult> ttf_;
    std::vector<HuSlice> noise_;
    std::optional<NpsResult> windowNps_, dprimeNps_;
};

// The sample tool's slice-thickness series with its defaults (41 slices of 512 x 512,
// 0.5 mm apart, FWHM 5 mm, 1000 HU, seed 1), each slice's ROI (256, 256, 40, 40)
// measured as "Stat" does and the table processed as the MTF window processes it.
double sampleSeriesFwhm(double fwhm)
{
    const int slices = 41, size = 512;
    const double interval = 0.5;
    const SampleLayout layout{0, size, false, -1024};
    const SampleBlock roi = roiSampleBlock(deriveRoiRect(256, 256, 40, 40), ViewWindowRect{});
    std::mt19937 random(1);
    std::vector<TextRow> grid{TextRow(SeriesTableCaptions.begin(), SeriesTableCaptions.end())};
    for (int i = 0; i < slices; ++i) {
        const double z = -(slices - 1) / 2.0 * interval + i * interval;
        const std::vector<uint16_t> pixels =
            sampleSlicePixels(size, NoiseSd, size / 8, sensitivityProfileLift(fwhm, 1000, z), random);
        ByteBuffer bytes;
        for (const uint16_t p : pixels) {
            bytes.push_back(static_cast<uint8_t>(p & 0xFF));
            bytes.push_back(static_cast<uint8_t>(p >> 8));
        }
        const std::string mean = roiStatisticsTexts(roiStatistics(bytes, layout, size, roi)).mean;
        grid.push_back(
            {std::to_string(i), "slice" + std::to_string(i + 1), formatFixed(fwhm, 2), formatFixed(z, 2), mean});
    }
    EditTexts edits;
    const auto work = std::make_unique<MtfWorkspace>();
    processSeriesTable(grid, edits, *work);
    return static_cast<double>(toFloat(edits.text(MtfEdit::FWHM)));
}

double npsMeanLevel(const NpsResult& nps)
{
    double sum = 0;
    for (const double v : nps.values) sum += v;
    return sum / static_cast<double>(nps.values.size());
}

} // namespace

std::vector<SelfCheck> selfChecks()
{
    const auto phantoms = std::make_shared<Phantoms>();
    const auto dprimeNps = [phantoms] { return npsGridOf(phantoms->nps(DprimeRoiSize, NpsDetrend::Mean)); };
    // The noise of whole HU: the rounding adds a variance of 1/12.
    const double storedSd = std::sqrt(NoiseSd * NoiseSd + 1.0 / 12);
    const DiskTask issueTask{10, 10, DiskTask::Profile::flat, 1.0};
    const DiskTask defaultSized{DefaultTaskDiameter, InsertContrast, DiskTask::Profile::flat, 1.0};
    return {
        {"TTF f50 (1/mm), 10 mm disk of 100 HU blurred by 0.5 mm, noise 10 HU", gaussianTtfFrequency(BlurSd, 0.5), 2,
         [phantoms] { return phantoms->insertTtf().f50.value_or(NAN); }},
        {"TTF f10 (1/mm), same disk", gaussianTtfFrequency(BlurSd, 0.1), 2,
         [phantoms] { return phantoms->insertTtf().f10.value_or(NAN); }},
        {"TTF insert contrast (HU), same disk", InsertContrast, 1,
         [phantoms] { return phantoms->insertTtf().contrast; }},
        {"NPS noise (HU), white noise of 10 HU, 64-pixel ROIs", storedSd, 1,
         [phantoms] { return phantoms->nps(DefaultNpsRoiSize, NpsDetrend::Poly2).noise; }},
        {"NPS mean level (HU²·mm²), same noise: SD² x spacing²", storedSd * storedSd * Spacing * Spacing, 2,
         [phantoms] { return npsMeanLevel(phantoms->nps(DefaultNpsRoiSize, NpsDetrend::Poly2)); }},
        {"d′ NPW, 10 mm disk of 10 HU, Gaussian TTF of 0.5 mm, measured white NPS",
         blurredDiskNpwDprime(issueTask, BlurSd, storedSd, Spacing), 2,
         [issueTask, dprimeNps] {
             return detectability(issueTask, EyeFilter{}, gaussianTtf(BlurSd), dprimeNps()).npw;
         }},
        {"d′ NPW, default 5 mm task, measured TTF and contrast of the disk, measured NPS",
         blurredDiskNpwDprime(defaultSized, BlurSd, storedSd, Spacing), 2,
         [phantoms, dprimeNps] {
             const TtfResult& ttf = phantoms->insertTtf();
             return detectability(defaultTask(ttf), EyeFilter{}, ttfCurveOf(ttf), dprimeNps()).npw;
         }},
        {"SSPz FWHM (mm), the sample tool's slice-thickness series", 5, 2, [] { return sampleSeriesFwhm(5); }},
    };
}

SelfCheckOutcome runSelfCheck(const SelfCheck& check)
{
    const double measured = check.measure();
    const bool passed = std::fabs(measured - check.truth) <= check.tolerancePercent / 100 * std::fabs(check.truth);
    return {check.name, measured, check.truth, check.tolerancePercent, passed};
}

std::string selfCheckLine(const SelfCheckOutcome& outcome)
{
    return outcome.name + "\tmeasured " + formatFixed(outcome.measured, 4) + "\ttruth " +
           formatFixed(outcome.truth, 4) + "\ttolerance " + formatGeneral(outcome.tolerancePercent) + " %\t" +
           (outcome.passed ? "PASS" : "FAIL");
}

int printSelfChecks(const std::vector<SelfCheck>& checks, std::ostream& out)
{
    bool allPassed = true;
    for (const SelfCheck& check : checks) {
        const SelfCheckOutcome outcome = runSelfCheck(check);
        allPassed = allPassed && outcome.passed;
        out << selfCheckLine(outcome) << "\r\n" << std::flush;
    }
    return allPassed ? 0 : 1;
}
