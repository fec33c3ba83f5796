#include "PixelForm.h"

#include "AppError.h"

std::string notOneGreySlice(const PixelForm& form)
{
    if (form.frames != 1) return Msg::frameCount(form.frames);
    const bool grey =
        form.photometric.empty() || form.photometric == "MONOCHROME1" || form.photometric == "MONOCHROME2";
    if (form.samplesPerPixel != 1 || !grey) return Msg::colourImage(form.photometric);
    if (form.bitsAllocated != 16) return Msg::bitsAllocated(form.bitsAllocated);
    return {};
}
