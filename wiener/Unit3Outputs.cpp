// The charts and text outputs of the WienerSpectra window.
#include "Unit3.h"

#include "EditText.h"
#include "SpectrumOutputs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QList>
#include <QPointF>
#include <QStringList>

void TForm3::graph(const QString& fileName)
{
    const long double dx = floatOf(EditPxlSpc);
    shiftHistory(SeriesLin);
    shiftHistory(SeriesLog);
    shiftHistory(SeriesAcf);

    StringGrid* grid = StringGridFileName;
    for (int r = 4; r >= 1; --r)
        for (int c = 2; c <= 4; ++c) grid->setCell(c, r + 1, grid->cell(c, r));
    grid->setCell(2, 1, fileName);
    grid->setCell(3, 1, EditSgmntX->text());
    grid->setCell(4, 1, EditSgmntY->text());
    static const char* const colourLabels[5] = {"blu", "red", "gre", "Aqu", "yel"};
    const int32_t run = Spectrum->RunCount;
    if (run >= 0 && run <= 4) grid->setCell(1, run + 1, colourLabels[run]);

    const SpectrumState& s = *Spectrum;
    const int32_t n = s.SegmentLength;
    QList<QPointF> spectrum;
    for (int32_t k = 1; k <= n / 2; ++k)
        spectrum.append(QPointF(static_cast<double>(spatialFrequency(k, n, dx)), s.WsSpectrum[k]));
    appendPoints(SeriesLin[0], spectrum);
    appendPoints(SeriesLog[0], spectrum);
    QList<QPointF> acf;
    for (int32_t d = 0; d <= n - 1; ++d) acf.append(QPointF(static_cast<double>(acfLag(d, dx)), s.WsAcf[d]));
    appendPoints(SeriesAcf[0], acf);
    for (QChartView* chart : {ChartWSLin, ChartWSLog, ChartACF}) fitAxes(chart);
}

void TForm3::DrawProfile()
{
    const SpectrumState& s = *Spectrum;
    // Seven colours for seven calculations after Clear; later ones draw no profile.
    if (s.RunCount > 6) return;
    QList<QPointF> profile;
    for (int32_t i = 1; i <= s.PointCount; ++i) profile.append(QPointF(i, s.FftRe[i - 1]));
    appendPoints(SeriesProfile[static_cast<size_t>(s.RunCount)], profile);
    fitAxes(ChartProfile);
}

std::vector<std::string> TForm3::writeMemo(std::vector<std::string> (*makeLines)(const SpectrumState&, long double))
{
    std::vector<std::string> lines{exportHeader(viewerSnapshot_().fileName)};
    MemoWS->setPlainText(qstr(lines.front()));
    const long double dx = floatOf(EditPxlSpc);
    for (std::string& line : makeLines(*Spectrum, dx)) lines.push_back(std::move(line));
    QStringList text;
    for (const std::string& line : lines) text.append(qstr(line));
    MemoWS->setPlainText(text.join('\n'));
    return lines;
}

void TForm3::ButtonResultClick()
{
    QGuiApplication::clipboard()->setText(qstr(clipboardText(writeMemo(spectrumLines))));
}

void TForm3::ButtonACFtoCBClick() { QGuiApplication::clipboard()->setText(qstr(clipboardText(writeMemo(acfLines)))); }

void TForm3::ButtonSmoothClick() { writeMemo(smoothedLines); }
