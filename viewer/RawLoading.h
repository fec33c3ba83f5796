#pragma once
// The raw image file's geometry: what a file name says about it, the guess of
// a square matrix from the file size, and the sizes typed by the user.
#include "FileRead.h"
#include <cstdint>

#include <string>

// "label columns rows spacing.ext", tokens split at single blanks, "p" for the decimal point.
struct FileNameGeometry {
    std::string columns;      // 2nd token, or empty
    std::string rows;         // 3rd token, or empty
    std::string pixelSpacing; // 4th token on, its first "p" made "."
    std::string sizeAnswer;   // 4th token on, as written (the default answer of the size prompt)
};

FileNameGeometry parseFileName(const std::string& path);

// "n n" for a square image of the file's size: n is exact when the size is a
// square, otherwise the smallest of 64, 128, 256, ... above the rounded root.
std::string guessMatrixSize(int64_t fileSize, int bytesPerPixel);

struct MatrixSize {
    int32_t columns = 0;
    int32_t rows = 0;
};

// "x y" (split at the first blank), or one number for both.
MatrixSize parseSizeAnswer(const std::string& answer);

// Bytes per sample of the load modes " 8bit", "16bit", "DICOM".
inline int bytesPerPixel(int modeIndex) { return modeIndex == 0 ? 1 : 2; }
