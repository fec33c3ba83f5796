#pragma once
// Grey levels of 16-bit samples computed sixteen at a time with AVX2, for drawing.
#include "GreyMapping.h"

#include <cstdint>

// Writes greyLevel of the first words of `words` (little-endian, their bytes exchanged
// with swap) into out, sixteen at a time as far as whole groups of sixteen go, and
// returns how many it wrote: 0 when the processor has no AVX2. Every value + offset -
// level must fit in 32 bits. The result is the same bit for bit: the product is formed
// in double precision as greyLevel forms it, and rounded to even in the processor's
// default rounding mode.
int32_t greyLevelsAvx2(const uint8_t* words, int32_t count, const GreyMapping& mapping, uint8_t* out);
