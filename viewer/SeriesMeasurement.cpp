#include "SeriesMeasurement.h"

#include "Arithmetic.h"
#include "Convert.h"
#include "NumberFormat.h"

std::string NamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int LeadingEntries(const std::vector<std::string>& entries)
{
    int n = 0;
    while (n < static_cast<int>(entries.size()) && !entries[static_cast<size_t>(n)].empty()) ++n;
    return n;
}

std::string SliceIntervalText(const std::string& firstPosition, const std::string& secondPosition)
{
    const long double second = toFloat(secondPosition);
    return formatGeneral(second - toFloat(firstPosition));
}

std::string FrequencyStepText(const std::string& spacing, int n)
{
    return formatGeneral(Checked::fdiv(1, toFloat(spacing) * n));
}
