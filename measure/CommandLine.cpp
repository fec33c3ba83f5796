#include "CommandLine.h"

#include "AppError.h"
#include "Convert.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

const char* const UsageText =
    "usage:\n"
    "  ctiq-measure sspz PATH --roi X,Y,W,H [load options] [--json] [--report FILE.pdf]\n"
    "  ctiq-measure nps FILE --roi X,Y,W,H [spectrum options] [load options] [--json] [--report FILE.pdf]\n"
    "  ctiq-measure roi FILE --roi X,Y,W,H [load options] [--json]\n"
    "  ctiq-measure header FILE [--json]\n"
    "  ctiq-measure ttf PATH (--roi X,Y,W,H | --centre X,Y) [--diameter MM] [slice options] [load options]\n"
    "                [--json] [--report FILE.pdf]\n"
    "  ctiq-measure nps2d PATH --roi X,Y,W,H [--roi-size N] [--detrend poly2|mean] [--difference PATH2]\n"
    "                [slice options] [load options] [--json] [--report FILE.pdf]\n"
    "  ctiq-measure dprime --ttf PATH --centre X,Y --nps PATH --roi X,Y,W,H [d′ options] [load options]\n"
    "                [--json] [--report FILE.pdf]\n"
    "  ctiq-measure verify\n"
    "\n"
    "PATH is a slice (its series is measured) or a folder holding one series.\n"
    "--roi X,Y,W,H    the ROI as the Viewer's \"Position\" (centre) and \"Size\" edits\n"
    "load options:\n"
    "  --mode 8bit|16bit|dicom   the Viewer's \"Mode\" (default dicom)\n"
    "  --size X,Y      columns and rows, where neither the file name nor the header gives them\n"
    "  --header BYTES  bytes before the first sample (\"Header\")\n"
    "  --offset N      added to every stored sample (\"Offset\")\n"
    "  --spacing MM    pixel spacing (\"PxlSpc\")\n"
    "spectrum options (the WienerSpectra window; defaults as its \"Load\"):\n"
    "  --direction X|Y           profiles along rows (X) or columns (Y), default X\n"
    "  --segment X,Y             \"SegmentSize\", default W/4,16 (exchanged for Y)\n"
    "  --shift X,Y               \"Shift\", default half of each segment size\n"
    "  --band-trend DEGREE       tick \"Trnd\" with this degree\n"
    "  --segment-trend DEGREE    tick \"Trnd1\" with this degree\n"
    "  --window rect|hamming     default hamming\n"
    "  --factor C                \"EditC\", default 1.0\n"
    "  --limit N                 the \"Segment#\" limit, default 10000\n"
    "ttf and nps2d (the TaskIQ window) measure every slice of the series of PATH, unless:\n"
    "  --slices FIRST..LAST      the slices at these positions in the series order (from 1)\n"
    "  --single                  PATH alone (for a folder, its middle slice)\n"
    "  --centre X,Y     the insert's centre in pixels (default: the centre of --roi)\n"
    "  --diameter MM    the insert's nominal diameter (default 25)\n"
    "  --roi-size N     the NPS's square ROIs, N x N pixels tiled in --roi (default 64)\n"
    "  --detrend poly2|mean      what each ROI loses before its transform (default poly2)\n"
    "  --difference PATH2        the NPS of the differences from a repeated series\n"
    "--json           named fields instead of tab-separated text; values are the windows' texts\n"
    "--report FILE    also write the PDF report FILE and its tab-separated text beside it\n"
    "d′ options (the TaskIQ window's d′ page), with --centre, --diameter, --roi-size and --detrend as above:\n"
    "  --ttf PATH       the insert's series, its centre --centre X,Y in pixels\n"
    "  --nps PATH       the uniform series, its ROIs tiled in --roi X,Y,W,H\n"
    "  --task-diameter MM --task-contrast HU   the disk task, default 5 mm and the insert's measured contrast\n"
    "  --profile flat|designer --designer-n N   the task's profile, default flat; n of the designer, default 1\n"
    "  --eye-n N --eye-c C --eye-gamma G   the eye filter, defaults 1.5, 3.22, 0.68\n"
    "  --distance MM --magnification M --internal-noise N   defaults 400, 1, 0\n"
    "verify           measures phantoms of known answers in memory, one line per check\n"
    "\n"
    "Exit status: 0 done, 1 the measurement was refused (its message on standard error),\n"
    "2 bad usage.\n";

namespace {

const std::set<std::string> loadOptions{"--mode", "--size", "--header", "--offset", "--spacing"};
const std::set<std::string> sliceOptions{"--slices", "--single"};
const std::set<std::string> dprimeOptions{
    "--ttf",     "--centre",        "--diameter",      "--nps",           "--roi",           "--roi-size",
    "--detrend", "--task-diameter", "--task-contrast", "--profile",       "--designer-n",    "--eye-n",
    "--eye-c",   "--eye-gamma",     "--distance",      "--magnification", "--internal-noise"};
const std::set<std::string> spectrumOptions{"--direction",     "--segment", "--shift",  "--band-trend",
                                            "--segment-trend", "--window",  "--factor", "--limit"};

std::set<std::string> optionsOf(const std::string& command)
{
    if (command == "verify") return {};
    std::set<std::string> allowed{"--json"};
    if (command == "header") return allowed;
    allowed.insert(loadOptions.begin(), loadOptions.end());
    if (command == "dprime") {
        allowed.insert("--report");
        allowed.insert(dprimeOptions.begin(), dprimeOptions.end());
        allowed.insert(sliceOptions.begin(), sliceOptions.end());
        return allowed;
    }
    allowed.insert("--roi");
    if (command == "roi") return allowed;
    allowed.insert("--report");
    if (command == "nps") allowed.insert(spectrumOptions.begin(), spectrumOptions.end());
    if (command == "ttf" || command == "nps2d") allowed.insert(sliceOptions.begin(), sliceOptions.end());
    if (command == "ttf") allowed.insert({"--centre", "--diameter"});
    if (command == "nps2d") allowed.insert({"--roi-size", "--detrend", "--difference"});
    return allowed;
}

// The ROI's and the load options' values as the Viewer's edits could hold them; anything else is bad usage
// rather than a measurement of the wrong bytes.
void checkLoadValues(const CommandLine& line)
{
    if (const auto roi = line.option("--roi"))
        for (const std::string& n : commaFields("--roi", *roi, 4))
            if (!tryToInt(n)) throw UsageError(Msg::badOptionValue("--roi", *roi));
    if (const auto size = line.option("--size"))
        for (const std::string& n : commaFields("--size", *size, 2))
            if (const auto v = tryToInt(n); !v || *v <= 0) throw UsageError(Msg::badOptionValue("--size", *size));
    if (const auto header = line.option("--header"))
        if (const auto v = tryToInt(*header); !v || *v < 0) throw UsageError(Msg::badOptionValue("--header", *header));
    if (const auto offset = line.option("--offset"))
        if (const auto v = tryToInt(*offset); !v || *v < -32768 || *v > 32767)
            throw UsageError(Msg::badOptionValue("--offset", *offset));
    if (const auto spacing = line.option("--spacing"))
        if (const auto v = tryToFloat(*spacing); !v || !std::isfinite(static_cast<double>(*v)) || *v < 0)
            throw UsageError(Msg::badOptionValue("--spacing", *spacing));
}

// A report's name: a PDF file, not an option taken for one.
void checkReportName(const CommandLine& line)
{
    const auto report = line.option("--report");
    if (!report) return;
    if (report->rfind('-', 0) == 0) throw UsageError(Msg::outputLooksLikeOption("--report", *report));
    const std::string suffix = report->size() >= 4 ? report->substr(report->size() - 4) : std::string();
    std::string lower;
    for (char c : suffix) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower != ".pdf") throw UsageError(Msg::reportNeedsPdf(*report));
}

} // namespace

std::optional<std::string> CommandLine::option(const std::string& name) const
{
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

CommandLine parseCommandLine(int argc, char** argv)
{
    if (argc < 2) throw UsageError(Msg::subcommandNeeded);
    CommandLine line;
    line.command = argv[1];
    const std::set<std::string> commands{"sspz", "nps", "roi", "header", "ttf", "nps2d", "dprime", "verify"};
    if (commands.count(line.command) == 0) throw UsageError(Msg::unknownSubcommand(line.command));
    const std::set<std::string> allowed = optionsOf(line.command);

    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            if (!line.path.empty()) throw UsageError(Msg::onePathOnly(arg));
            line.path = arg;
            continue;
        }
        if (allowed.count(arg) == 0) throw UsageError(Msg::notAnOptionOf(arg, line.command));
        if (arg == "--json") {
            line.json = true;
            continue;
        }
        if (arg == "--single") {
            line.options[arg] = "";
            continue;
        }
        if (i + 1 >= argc) throw UsageError(Msg::needsValue(arg));
        line.options[arg] = argv[++i];
    }
    if (line.option("--slices") && line.option("--single")) throw UsageError(Msg::slicesOrSingle);
    // verify builds what it measures; dprime names its two series by options.
    if (line.command == "verify" || line.command == "dprime") {
        if (!line.path.empty()) throw UsageError(Msg::takesNoPath(line.command));
        for (const char* needed : {"--ttf", "--centre", "--nps", "--roi"})
            if (line.command == "dprime" && !line.option(needed)) throw UsageError(Msg::needsOption("dprime", needed));
        return line;
    }
    if (line.path.empty()) throw UsageError(Msg::needsPath(line.command));
    if (line.command == "ttf") {
        if (!line.option("--roi") && !line.option("--centre")) throw UsageError(Msg::needsRoiOrCentre(line.command));
    } else if (line.command != "header" && !line.option("--roi")) throw UsageError(Msg::needsRoi(line.command));
    checkLoadValues(line);
    checkReportName(line);
    return line;
}

std::vector<std::string> commaFields(const std::string& option, const std::string& value, size_t count)
{
    std::vector<std::string> fields(1);
    for (char c : value) {
        if (c == ',') fields.emplace_back();
        else fields.back() += c;
    }
    if (fields.size() != count) throw UsageError(Msg::takesCommaValues(option, count));
    return fields;
}

void refuseOutputOverInputs(const std::string& output, const std::vector<std::string>& inputs)
{
    std::error_code error;
    if (!std::filesystem::exists(output, error)) return;
    for (const std::string& input : inputs)
        if (std::filesystem::equivalent(output, input, error)) throw UsageError(Msg::outputIsInput(output));
}
