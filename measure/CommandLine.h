#pragma once
// The command line of ctiq-measure: the subcommand, its path and options, and the
// usage text shown for bad usage.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Bad usage: the program ends with status 2 and the usage text.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command; // sspz, nps, roi, header, ttf or nps2d
    std::string path;
    std::map<std::string, std::string> options; // "--roi" -> "256,256,40,40"; flags hold ""
    bool json = false;

    std::optional<std::string> option(const std::string& name) const;
};

// Fails with UsageError for an unknown subcommand or option, a missing value or path,
// or an option the subcommand does not take.
CommandLine parseCommandLine(int argc, char** argv);

extern const char* const UsageText;

// "a,b" or "a,b,c,d" split at commas into exactly `count` texts, or UsageError naming the option.
std::vector<std::string> commaFields(const std::string& option, const std::string& value, size_t count);

// Fails with UsageError when the output file is one of the inputs (the same file under
// any name), so that an output never replaces what was measured.
void refuseOutputOverInputs(const std::string& output, const std::vector<std::string>& inputs);
