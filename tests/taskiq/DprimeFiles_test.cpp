// ctiq-measure on files: d′ of phantom slices written as DICOM and read back gives the
// texts the same slices give in memory, and verify passes as an installed program runs it.
#include "DetectabilityInputs.h"
#include "DetectabilityReport.h"
#include "Phantoms.h"

#include "DicomBytes.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun measure(const std::string& arguments)
{
    CommandRun run;
    FILE* pipe = popen((std::string(CTIQ_MEASURE) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<uint8_t> text(std::string t, char pad = ' ')
{
    if (t.size() % 2 != 0) t.push_back(pad);
    return {t.begin(), t.end()};
}

// A CT slice as a scanner stores it: HU + 1024 with the intercept -1024, 0.5 mm pixels.
std::vector<uint8_t> dicomOf(const HuSlice& slice, const std::string& series, int number)
{
    const std::string instance = series + "." + std::to_string(number);
    std::vector<uint8_t> pixels;
    for (const double hu : slice.values) {
        const auto stored = static_cast<uint16_t>(hu + 1024);
        pixels.push_back(static_cast<uint8_t>(stored & 0xFF));
        pixels.push_back(static_cast<uint8_t>(stored >> 8));
    }
    DicomBytes file;
    file.element(0x0008, 0x0016, "UI", text("1.2.840.10008.5.1.4.1.1.2", '\0'))
        .element(0x0008, 0x0018, "UI", text(instance, '\0'))
        .element(0x0008, 0x0060, "CS", text("CT"))
        .element(0x0018, 0x0050, "DS", text("1"))
        .element(0x0020, 0x000E, "UI", text(series, '\0'))
        .element(0x0020, 0x0013, "IS", text(std::to_string(number)))
        .element(0x0020, 0x0032, "DS", text("0\\0\\" + std::to_string(number)))
        .element(0x0028, 0x0002, "US", us(1))
        .element(0x0028, 0x0004, "CS", text("MONOCHROME2"))
        .element(0x0028, 0x0010, "US", us(static_cast<uint16_t>(slice.rows)))
        .element(0x0028, 0x0011, "US", us(static_cast<uint16_t>(slice.columns)))
        .element(0x0028, 0x0030, "DS", text("0.5\\0.5"))
        .element(0x0028, 0x0100, "US", us(16))
        .element(0x0028, 0x0101, "US", us(16))
        .element(0x0028, 0x0102, "US", us(15))
        .element(0x0028, 0x0103, "US", us(0))
        .element(0x0028, 0x1052, "DS", text("-1024"))
        .element(0x0028, 0x1053, "DS", text("1"));
    return file.element(0x7FE0, 0x0010, "OW", pixels).bytes();
}

TEST(DprimeFiles, SlicesWrittenAndReadBackGiveTheTextsOfTheSameSlicesInMemory)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "insert");
    std::filesystem::create_directories(folder.path() / "uniform");
    std::mt19937_64 random(5);
    std::vector<HuSlice> insert, uniform;
    std::vector<std::string> insertFiles, uniformFiles;
    for (int i = 1; i <= 4; ++i) {
        insert.push_back(blurredDiskSlice(128, 0.5, 10, 100, 0.5));
        addNoiseAndRound(insert.back(), 10, random);
        insertFiles.push_back(
            folder.write("insert/" + std::to_string(i) + ".dcm", dicomOf(insert.back(), "2.25.1", i)));
        uniform.push_back(uniformSlice(256));
        addNoiseAndRound(uniform.back(), 10, random);
        uniformFiles.push_back(
            folder.write("uniform/" + std::to_string(i) + ".dcm", dicomOf(uniform.back(), "2.25.2", i)));
    }

    TtfSettings ttfSettings;
    ttfSettings.pixelSpacing = 0.5;
    ttfSettings.centreX = ttfSettings.centreY = 64;
    ttfSettings.diameter = 10;
    const TtfResult ttf = measureInsertTtf(insert, ttfSettings);
    NpsSettings npsSettings;
    npsSettings.pixelSpacing = 0.5;
    npsSettings.frame = {0, 0, 256, 256};
    npsSettings.roiSize = 128;
    npsSettings.detrend = NpsDetrend::Mean;
    const NpsResult nps = measureNps2D(uniform, npsSettings);
    DiskTask task = defaultTask(ttf);
    task.profile = DiskTask::Profile::designer;
    task.designerExponent = 2;
    EyeFilter eye;
    eye.viewingDistanceMm = 600;
    eye.internalNoise = 0.5;
    const std::string inMemory = reportText(
        detectabilityReport(calculateDetectability(task, eye, ttfCurveOf(ttf), npsGridOf(nps),
                                                   detectabilityInputs(ttf, insertFiles, nps, uniformFiles))),
        false);

    const CommandRun run =
        measure("dprime --ttf " + insertFiles[0] + " --insert 64,64 --insert-diameter 10 --nps " +
                (folder.path() / "uniform").string() +
                " --frame 0,0,256,256 --roi-size 128 --detrend mean --profile designer --designer-n 2"
                " --distance 600 --internal-noise 0.5");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, inMemory);
}

TEST(DprimeFiles, VerifyPassesAsAProgram)
{
    const CommandRun run = measure("verify");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("FAIL"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("PASS"), std::string::npos) << run.out;
}

} // namespace
