// ctiq-measure on files: d′ of phantom slices written as DICOM and read back gives the
// texts the same slices give in memory, and verify passes as an installed program runs it.
#include "DetectabilityInputs.h"
#include "DetectabilityReport.h"
#include "Phantoms.h"

#include "HuSliceDicom.h"
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
            folder.write("insert/" + std::to_string(i) + ".dcm", huSliceDicom(insert.back(), "2.25.1", i)));
        uniform.push_back(uniformSlice(256));
        addNoiseAndRound(uniform.back(), 10, random);
        uniformFiles.push_back(
            folder.write("uniform/" + std::to_string(i) + ".dcm", huSliceDicom(uniform.back(), "2.25.2", i)));
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
    const DetectabilityResult expected = calculateDetectability(
        task, eye, ttfCurveOf(ttf), npsGridOf(nps), detectabilityInputs(ttf, insertFiles, nps, uniformFiles));

    const std::string options = "dprime --ttf " + insertFiles[0] + " --centre 64,64 --diameter 10 --nps " +
                                (folder.path() / "uniform").string() +
                                " --roi 128,128,256,256 --roi-size 128 --detrend mean --profile designer"
                                " --designer-n 2 --distance 600 --internal-noise 0.5";
    const CommandRun run = measure(options);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, reportText(detectabilityReport(expected), false));

    const CommandRun json = measure(options + " --json");
    EXPECT_EQ(json.status, 0) << json.out;
    EXPECT_NE(json.out.find("\"npw\": \"" + dprimeText(expected.d.npw) + "\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"npwe\": \"" + dprimeText(expected.table[4].d.npwe) + "\""), std::string::npos)
        << json.out;
}

TEST(DprimeFiles, VerifyPassesAsAProgram)
{
    const CommandRun run = measure("verify");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("FAIL"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("PASS"), std::string::npos) << run.out;
}

} // namespace
