#pragma once
// Small files written by the tests themselves, in a fresh temporary folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readFile(const std::filesystem::path& path);

// Little-endian 16-bit samples, as a raw image file holds them.
std::vector<uint8_t> words16(const std::vector<int16_t>& samples);

// A real DICOM file from Debian's python3-pydicom.
std::filesystem::path pydicomFile(const std::string& name);
