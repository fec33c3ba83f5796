#include "Arithmetic.h"

#include "AppError.h"

#include <cmath>
#include <limits>

namespace Checked {

int32_t narrow(long long v)
{
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw AppError(Msg::intOverflow);
    return static_cast<int32_t>(v);
}

int32_t add(int32_t a, int32_t b) { return narrow(static_cast<long long>(a) + b); }
int32_t sub(int32_t a, int32_t b) { return narrow(static_cast<long long>(a) - b); }
int32_t mul(int32_t a, int32_t b) { return narrow(static_cast<long long>(a) * b); }

int32_t div(int32_t a, int32_t b)
{
    if (b == 0) throw AppError(Msg::intDivByZero);
    return narrow(static_cast<long long>(a) / b);
}

int32_t mod(int32_t a, int32_t b)
{
    if (b == 0) throw AppError(Msg::intDivByZero);
    return narrow(static_cast<long long>(a) % b);
}

int32_t trunc(long double v)
{
    if (std::isnan(v)) throw AppError(Msg::invalidFloatOp);
    const long double t = std::trunc(v);
    if (t < std::numeric_limits<int32_t>::min() || t > std::numeric_limits<int32_t>::max())
        throw AppError(Msg::intOverflow);
    return static_cast<int32_t>(t);
}

long double fdiv(long double a, long double b)
{
    if (b == 0) throw AppError((a == 0 || std::isnan(a)) ? Msg::invalidFloatOp : Msg::floatDivByZero);
    return finite(a / b);
}

long double finite(long double v)
{
    // Results are kept as doubles, so one beyond the double range counts as infinite.
    if (!std::isfinite(static_cast<double>(v))) throw AppError(Msg::invalidFloatOp);
    return v;
}

} // namespace Checked
