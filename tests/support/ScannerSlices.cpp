#include "ScannerSlices.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

std::vector<ScannerSlice> writeScannerSlices(const std::filesystem::path& folder)
{
    const std::string command = "/usr/bin/python3 '" SCANNER_SLICES_SCRIPT "' '" + folder.string() + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("scanner_slices.py failed");
    std::vector<ScannerSlice> slices;
    std::ifstream expected(folder / "expected.tsv");
    for (std::string line; std::getline(expected, line);) {
        std::istringstream fields(line);
        ScannerSlice s;
        std::string mean, sd;
        for (std::string* field :
             {&s.name, &s.columns, &s.rows, &s.spacing, &s.intercept, &s.position, &s.thickness, &s.header, &mean, &sd})
            std::getline(fields, *field, '\t');
        s.roiMean = std::stod(mean);
        s.roiSd = std::stod(sd);
        slices.push_back(s);
    }
    return slices;
}
