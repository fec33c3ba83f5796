#include "TestFiles.h"

#include <fstream>
#include <random>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("ctiq-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    const auto file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> words16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t s : samples) {
        const auto u = static_cast<uint16_t>(s);
        bytes.push_back(static_cast<uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<uint8_t>(u >> 8));
    }
    return bytes;
}

std::filesystem::path pydicomFile(const std::string& name) { return std::filesystem::path(PYDICOM_TEST_FILES) / name; }
