#pragma once
// The texts the spectrum window shows and puts on the clipboard: the spectrum,
// the autocorrelation and the smoothed spectrum of the last calculation, one
// line per point, frequency or lag TAB value, in the general number format.
#include "SpectrumState.h"

#include <string>
#include <vector>

// Spatial frequency k/(N*dx) in cycles/mm; fails on a zero N*dx.
long double spatialFrequency(int32_t k, int32_t n, long double dx);

// Lag d*dx in mm; fails when it leaves the double range.
long double acfLag(int32_t d, long double dx);

// "c/mm" TAB the file name: the first line of every export.
std::string exportHeader(const std::string& fileName);

// k = 1 .. N div 2: frequency TAB WsSpectrum[k].
std::vector<std::string> spectrumLines(const SpectrumState& s, long double dx);
// d = 0 .. N div 2: lag d*dx TAB WsAcf[d].
std::vector<std::string> acfLines(const SpectrumState& s, long double dx);
// k = 1 .. N + 7: frequency TAB a running mean of the spectrum (weights 0.7/0.3,
// then 4, 6 and from k = 4 on 8 values around k). Entries beyond the array count as zero.
std::vector<std::string> smoothedLines(const SpectrumState& s, long double dx);

// Lines as clipboard text: each ends with CR LF.
std::string clipboardText(const std::vector<std::string>& lines);
