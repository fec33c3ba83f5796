#pragma once
// The names of d′'s parameters and results as the report, the window's page and the
// messages about them show them.
namespace DprimeName {
inline const char* const diameter = "Diameter (mm)";
inline const char* const contrast = "Contrast (HU)";
inline const char* const profile = "Profile";
inline const char* const designerExponent = "Designer exponent n";
inline const char* const eyeExponent = "Eye filter n";
inline const char* const eyeCoefficient = "Eye filter c";
inline const char* const eyePower = "Eye filter γ";
inline const char* const viewingDistance = "Viewing distance (mm)";
inline const char* const magnification = "Display magnification";
inline const char* const internalNoise = "Internal noise Nᵢ (HU²·mm²)";
inline const char* const npsPixelSpacing = "NPS pixel spacing (mm)";
inline const char* const npsGridSize = "NPS grid (N x N)";
inline const char* const ttfValue = "TTF value";
inline const char* const npsValue = "NPS value";
inline const char* const npw = "d′ NPW";
inline const char* const npwe = "d′ NPWE";
inline const char* const flat = "flat";
inline const char* const designer = "designer";
} // namespace DprimeName
