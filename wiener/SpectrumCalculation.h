#pragma once
// The noise power spectrum of a ROI by the method of averaged lines: bands of
// adjacent lines are detrended and averaged into band profiles, the profiles are
// cut into overlapping segments, and every segment is detrended, windowed,
// transformed and its squared magnitude, scaled to mm^2, averaged. The same pass
// sums the autocorrelation of the band profiles.
#include "AppError.h"
#include "Samples.h"
#include "SpectrumState.h"

#include <cstdint>
#include <string>

// A parameter read only when the calculation first needs it: its value, or the
// conversion failure that stops the calculation at that moment.
template <typename T>
struct Deferred {
    T value{};
    std::string failure; // empty when the text converted

    bool converted() const { return failure.empty(); }
    T get() const
    {
        if (!converted()) throw AppError(failure);
        return value;
    }
};

struct SpectrumParameters {
    int32_t W = 0;            // image row length in pixels (the window's image width)
    double C = 1.0;           // factor applied to every pixel value
    int32_t offset = 0;       // added to every stored pixel value
    int32_t SgX = 0, SgY = 0; // segment size X and Y
    int32_t RX = 0, RY = 0;   // ROI width and height
    int32_t ShX = 0, ShY = 0; // shift X and Y
    int32_t limit = 0;        // the calculation stops once this many segments are used
    int32_t header = 0;       // byte offset of the pixel data
    bool swap = false;        // exchange the bytes of every word
    int32_t x0 = 0, y0 = 0;   // ROI origin: left column, top row

    bool directionY = false; // profiles down the columns instead of along the rows
    bool bandTrend = false;  // remove a polynomial trend from every line of a band
    Deferred<int32_t> bandDegree;
    bool segmentTrend = false; // remove a polynomial trend from every segment
    Deferred<int32_t> segmentDegree;
    bool hamming = false;          // Hamming window instead of the rectangular one
    Deferred<double> pixelSpacing; // mm

    // The image as the Viewer knows it, for the bounds check.
    int32_t imageColumns = 0, imageRows = 0;
};

// The roles of the edits in the chosen direction.
struct SpectrumRoles {
    int32_t L; // profile length (ROI extent along the profile)
    int32_t P; // ROI extent across the profile
    int32_t N; // segment length
    int32_t f; // lines per band
    int32_t segmentStep;
    int32_t bandStep;
};
SpectrumRoles rolesOf(const SpectrumParameters& p);

// Receives each band profile chosen for display: FftRe[0..PointCount-1].
class ProfileSink {
public:
    virtual void DrawProfile() = 0;

protected:
    ~ProfileSink() = default;
};

// Fails, changing nothing, when the parameters would overrun the fixed storage,
// never advance, or read outside the image.
void checkSpectrumParameters(const SpectrumParameters& p, const ByteBuffer& image);

// Checks the parameters, then fills WsSpectrum and WsAcf (averaged and normalised),
// SegmentLength and PointCount, handing the selected band profiles to the sink.
// Returns the number of segments used. A failure part way leaves what was written.
int32_t calculateSpectrum(SpectrumState& state, const SpectrumParameters& p, const ByteBuffer& image,
                          ProfileSink& sink);
