#include "SpectrumState.h"

SpectrumState::SpectrumState()
{
    // Every detrending fit is made on the abscissae 0, 1, 2, ...
    for (int32_t k = 0; k < SpectrumArraySize; ++k) LsmX[k] = k;
}
