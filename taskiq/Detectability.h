#pragma once
// The detectability index d′ of a disk task for the non-prewhitening observer (NPW)
// and the same observer with an eye filter (NPWE), from a TTF and a 2-D NPS:
//   NPW:  d′² = [∬|W|²·TTF²]² / ∬|W|²·TTF²·NPS
//   NPWE: d′² = [∬|W|²·TTF²·E²]² / (∬|W|²·TTF²·NPS·E⁴ + ∬|W|²·TTF²·E²·Nᵢ)
// W is the task's 2-D Fourier transform, computed in closed form; the integrals run
// over the NPS's own frequency grid.
#include <array>
#include <vector>

// A disk of diameter D and contrast C, flat or with the "designer" profile
// C·(1 − (2r/D)²)ⁿ inside the disk.
struct DiskTask {
    enum class Profile { flat, designer };
    double diameterMm = 5.0;
    double contrastHu = 0.0;
    Profile profile = Profile::flat;
    double designerExponent = 1.0; // n; used for the designer profile only
};

// W(f) in HU·mm² at the radial frequency f (mm⁻¹): the Hankel transform of the profile,
// C·2π·R²·2ⁿ·Γ(n+1)·J_{n+1}(2πfR)/(2πfR)^{n+1} with R = D/2, which for the flat disk
// (n = 0) is C·π·D²/4·2·J1(πDf)/(πDf).
double taskSpectrum(const DiskTask& task, double frequencyPerMm);

// The eye filter E(ρ) = ρⁿ·exp(−c·ρ^γ), ρ in cycles per degree of visual angle, and
// the internal noise Nᵢ of the NPWE observer.
struct EyeFilter {
    double exponent = 1.5;            // n
    double coefficient = 3.22;        // c
    double power = 0.68;              // γ
    double viewingDistanceMm = 400.0; // from the eye to the display
    double magnification = 1.0;       // displayed size over object size
    double internalNoise = 0.0;       // Nᵢ, HU²·mm² as the NPS
};

// ρ for an object frequency f (mm⁻¹): f/M cycles per displayed mm, and one degree spans
// distance·π/180 mm of the display.
double cyclesPerDegree(const EyeFilter& eye, double frequencyPerMm);
double eyeResponse(const EyeFilter& eye, double frequencyPerMm);

// The TTF as samples at ascending radial frequencies, read linearly between them, as its
// first value below the first sample and as 0 past the last.
struct TtfCurve {
    std::vector<double> frequencyPerMm;
    std::vector<double> value;
};
double ttfAt(const TtfCurve& ttf, double frequencyPerMm);

// The 2-D NPS on an N × N grid, row by row, in HU²·mm², frequency step 1/(N·Δ) on both
// axes, zero frequency in the middle as the NPS measurement lays it out: values[v·N + u]
// at fx = (u − N/2)/(N·Δ), fy = (v − N/2)/(N·Δ).
struct NpsGrid {
    int size = 0;                // N
    double pixelSpacingMm = 0.0; // Δ
    std::vector<double> values;  // N·N
};

struct Detectability {
    double npw = 0.0;
    double npwe = 0.0;
};

// d′ of both observers. Fails with AppError for inputs that do not describe a task, an
// eye filter, a TTF or an NPS grid, and when the NPS is zero wherever the task's
// blurred signal is not, so that d′ has no bound.
Detectability detectability(const DiskTask& task, const EyeFilter& eye, const TtfCurve& ttf, const NpsGrid& nps);

// The diameters of the table of d′ against diameter.
inline constexpr std::array<double, 5> TableDiametersMm{1.0, 2.0, 3.0, 5.0, 10.0};

struct DiameterDetectability {
    double diameterMm = 0.0;
    Detectability d;
};
// The task at each diameter of the table, everything else kept.
std::vector<DiameterDetectability> detectabilityByDiameter(const DiskTask& task, const EyeFilter& eye,
                                                           const TtfCurve& ttf, const NpsGrid& nps);
