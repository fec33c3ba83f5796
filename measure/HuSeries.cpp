#include "HuSeries.h"

#include "AppError.h"
#include "Convert.h"
#include "MeasuredImage.h"
#include "MeasurementSeries.h"

HuSeries loadHuSeries(const std::string& path, const CommandLine& line)
{
    HuSeries series;
    series.files = measurementSeries(path).files;
    const LoadMode mode = loadModeOf(line);
    const TypedGeometry typed = typedGeometryOf(line);
    for (const std::string& file : series.files) {
        ViewerTexts texts;
        const LoadedImage image = loadImage(file, mode, typed, texts);
        const SampleLayout layout = sampleLayout(texts, image.columns);
        if (series.slices.empty()) series.pixelSpacing = static_cast<double>(toFloat(texts.pixelSpacing));
        HuSlice slice{image.columns, image.rows, {}};
        slice.values.reserve(static_cast<size_t>(image.columns) * static_cast<size_t>(image.rows));
        for (int32_t y = 0; y < image.rows; ++y)
            for (int32_t x = 0; x < image.columns; ++x) {
                if (!wordInside(image.bytes, wordPosition(layout, y, x))) throw AppError(Msg::imageBeyondFile);
                slice.values.push_back(sampleValue(image.bytes, layout, y, x));
            }
        series.slices.push_back(std::move(slice));
    }
    return series;
}
