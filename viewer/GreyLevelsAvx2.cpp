#include "GreyLevelsAvx2.h"

#include <algorithm>
#include <cmath>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace {

// GCC and clang each take the target of a block of functions in their own words.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

// Four differences to four greys less 128: the product with the factor, formed in
// double precision and rounded half to even. The differences come held to where the
// grey levels saturate, so every product fits 32 bits.
inline __m128i scaledFour(__m128i differences, __m256d factor)
{
    return _mm256_cvtpd_epi32(_mm256_mul_pd(_mm256_cvtepi32_pd(differences), factor));
}

// Eight differences to eight greys (as 16-bit values, saturated later).
inline __m128i greyEight(__m256i differences, __m256d factor)
{
    const __m128i low = scaledFour(_mm256_castsi256_si128(differences), factor);
    const __m128i high = scaledFour(_mm256_extracti128_si256(differences, 1), factor);
    return _mm_add_epi16(_mm_packs_epi32(low, high), _mm_set1_epi16(128));
}

int32_t computeAvx2(const uint8_t* words, int32_t count, const GreyMapping& mapping, uint8_t* out)
{
    const __m256i shift = _mm256_set1_epi32(static_cast<int32_t>(int64_t{mapping.offset} - mapping.level));
    const __m256d factor = _mm256_set1_pd(static_cast<double>(mapping.factor));
    // Beyond this difference every grey level is saturated.
    const double reach = std::ceil(saturationReach(mapping));
    const auto limit = static_cast<int32_t>(std::min(reach, 2147483647.0));
    const __m256i high = _mm256_set1_epi32(limit), low = _mm256_set1_epi32(-limit);
    const auto held = [&](__m256i d) { return _mm256_min_epi32(_mm256_max_epi32(d, low), high); };
    const __m128i invert = _mm_set1_epi8(mapping.invert ? static_cast<char>(0xFF) : 0);
    int32_t k = 0;
    for (; k + 16 <= count; k += 16) {
        __m256i stored = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + 2 * k));
        if (mapping.swap) stored = _mm256_or_si256(_mm256_slli_epi16(stored, 8), _mm256_srli_epi16(stored, 8));
        const __m256i first = held(_mm256_add_epi32(_mm256_cvtepi16_epi32(_mm256_castsi256_si128(stored)), shift));
        const __m256i second =
            held(_mm256_add_epi32(_mm256_cvtepi16_epi32(_mm256_extracti128_si256(stored, 1)), shift));
        // Packing with unsigned saturation clamps to 0..255.
        const __m128i greys = _mm_packus_epi16(greyEight(first, factor), greyEight(second, factor));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_xor_si128(greys, invert));
    }
    return k;
}

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

} // namespace

int32_t greyLevelsAvx2(const uint8_t* words, int32_t count, const GreyMapping& mapping, uint8_t* out)
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available ? computeAvx2(words, count, mapping, out) : 0;
}

#else

int32_t greyLevelsAvx2(const uint8_t*, int32_t, const GreyMapping&, uint8_t*) { return 0; }

#endif
