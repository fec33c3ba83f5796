#include "Unit3.h"

#include "EditText.h"
#include "FormControls.h"
#include "Guarded.h"
#include "SpectrumSetup.h"

TForm3* Form3 = nullptr;

SegmentTexts segmentTexts(const TForm3& form)
{
    return {textOf(form.EditSgmntX), textOf(form.EditSgmntY), textOf(form.EditShftX), textOf(form.EditShftY)};
}

void showSegments(TForm3& form, const SegmentTexts& t)
{
    form.EditSgmntX->setText(qstr(t.segmentX));
    form.EditSgmntY->setText(qstr(t.segmentY));
    form.EditShftX->setText(qstr(t.shiftX));
    form.EditShftY->setText(qstr(t.shiftY));
}

TForm3::TForm3(QWidget* parent) : QWidget(parent), Spectrum(std::make_unique<SpectrumState>())
{
    setObjectName("Form3");
    setWindowTitle("WienerSpectra");
    createControls();
    connectHandlers();
    resize(1020, 716);
}

void TForm3::createControls()
{
    createButtons();
    createParameterEdits();
    createSwitchPanel();
    createPages();
    createAcfPage();
    createProfilePage();
    createWsPage();
}

// "Load", "toForm1" and "Save".
void TForm3::createButtons()
{
    ButtonLoad = button(this, "ButtonLoad", "Load", {8, 8, 64, 24});
    ButtontoMain = button(this, "ButtontoMain", "toForm1", {80, 8, 64, 24});
    ButtonSave = button(this, "ButtonSave", "Save", {152, 8, 64, 24});
}

// The row of parameter edits under the buttons.
void TForm3::createParameterEdits()
{
    label(this, "mmPS", {8, 38, 60, 14});
    EditPxlSpc = edit(this, "EditPxlSpc", "", {8, 54, 60, 22});
    label(this, "ImageSize", {76, 38, 100, 14});
    EditImgSizeX = edit(this, "EditImgSizeX", "", {76, 54, 48, 22});
    EditImgSizeY = edit(this, "EditImgSizeY", "", {128, 54, 48, 22});
    label(this, "ROISize", {184, 38, 100, 14});
    EditROIX = edit(this, "EditROIX", "", {184, 54, 48, 22});
    EditROIY = edit(this, "EditROIY", "", {236, 54, 48, 22});
    label(this, "SegmentSize", {292, 38, 100, 14});
    EditSgmntX = edit(this, "EditSgmntX", "", {292, 54, 48, 22});
    EditSgmntY = edit(this, "EditSgmntY", "", {344, 54, 48, 22});
    label(this, "Shift", {400, 38, 100, 14});
    EditShftX = edit(this, "EditShftX", "", {400, 54, 48, 22});
    EditShftY = edit(this, "EditShftY", "", {452, 54, 48, 22});
    label(this, "Segment#", {508, 38, 66, 14});
    EditNSgmnt = edit(this, "EditNSgmnt", "", {508, 54, 60, 22});
    label(this, "Segment#", {576, 38, 66, 14});
    EditNSgmnt2 = edit(this, "EditNSgmnt2", DefaultSegmentLimit, {576, 54, 60, 22});
    EditC = edit(this, "EditC", DefaultFactor, {646, 54, 48, 22});
}

// The panel at the top right: direction, trends, window, "Clear" and "Cal".
void TForm3::createSwitchPanel()
{
    RadioGroupXY = named(new RadioGroup("X/Y", {"X", "Y"}, 2, this), "RadioGroupXY");
    RadioGroupXY->setGeometry(704, 4, 90, 44);
    RadioGroupXY->setItemIndex(0);
    CheckBoxTrnd = checkBox(this, "CheckBoxTrnd", "Trnd", false, {800, 6, 56, 20});
    EditN = edit(this, "EditN", DefaultTrendDegree, {858, 6, 30, 20});
    CheckBoxTrnd1 = checkBox(this, "CheckBoxTrnd1", "Trnd1", false, {800, 30, 56, 20});
    EditN1 = edit(this, "EditN1", DefaultTrendDegree, {858, 30, 30, 20});
    RadioGroupWindow = named(new RadioGroup("Window", {"Rect", "Haming"}, 2, this), "RadioGroupWindow");
    RadioGroupWindow->setGeometry(704, 52, 140, 44);
    RadioGroupWindow->setItemIndex(1);
    ButtonClr = button(this, "ButtonClr", "Clear", {896, 6, 60, 24});
    ButtonCal = button(this, "ButtonCal", "Cal", {896, 40, 60, 40});
}

// The pages of results.
void TForm3::createPages()
{
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(4, 104, 1012, 608);
}

// "ACF": the autocorrelation chart.
void TForm3::createAcfPage()
{
    auto* acfPage = new QWidget;
    ChartACF = makeSpectrumChart(
        acfPage, {"ChartACF", "ACF", "lag ( mm )", false, "mm*mm", false, "FastLineSeries", 15}, SeriesAcf);
    ChartACF->setGeometry(0, 0, 1000, 540);
    ButtonACFtoCB = button(acfPage, "ButtonACFtoCB", "resultToCB", {0, 546, 90, 24});
    PageControl1->addTab(acfPage, "ACF");
}

// "Profile": the band profiles.
void TForm3::createProfilePage()
{
    auto* profilePage = new QWidget;
    ChartProfile = makeSpectrumChart(
        profilePage,
        {"ChartProfile", "Linear scale", "Number of pixel", false, "Pixel value", false, "FastLineSeries", 8},
        SeriesProfile);
    ChartProfile->setGeometry(0, 0, 1000, 570);
    PageControl1->addTab(profilePage, "Profile");
}

// "WS": the spectrum charts, the memo and the history of files; the page in front.
void TForm3::createWsPage()
{
    auto* wsPage = new QWidget;
    ChartWSLin = makeSpectrumChart(wsPage,
                                   {"ChartWSLin", "Linear scale", "Spatial frequency (cyckes/mm)", false,
                                    "Log Wiener spectral value (mm*mm)", true, "Series", 1},
                                   SeriesLin);
    ChartWSLin->setGeometry(0, 0, 498, 400);
    ChartWSLog = makeSpectrumChart(wsPage,
                                   {"ChartWSLog", "Logarithm scale", "Log spatial frequency (cycles/mm))", true,
                                    "Log Wiener spectral value (mm*mm)", true, "FastLineSeries", 1},
                                   SeriesLog);
    ChartWSLog->setGeometry(502, 0, 498, 400);
    ButtonResult = button(wsPage, "ButtonResult", "resultToCB", {0, 406, 90, 24});
    ButtonSmooth = button(wsPage, "ButtonSmooth", "Smooth", {96, 406, 70, 24});
    MemoWS = named(new QPlainTextEdit(wsPage), "MemoWS");
    MemoWS->setGeometry(0, 436, 160, 136);
    MemoWS->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoWS->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGridFileName = named(new StringGrid(5, 6, wsPage), "StringGridFileName");
    StringGridFileName->setGeometry(166, 436, 834, 104);
    StringGridFileName->setEditable(true);
    const int widths[5] = {24, 31, 703, 36, 35};
    for (int c = 0; c < 5; ++c) StringGridFileName->setColWidth(c, widths[c]);
    for (int r = 0; r < 6; ++r) StringGridFileName->setRowHeight(r, 16);
    PageControl1->addTab(wsPage, "WS");
    PageControl1->setCurrentWidget(wsPage);
}

void TForm3::connectHandlers()
{
    onClick(this, ButtonLoad, &TForm3::ButtonLoadClick);
    onClick(this, ButtontoMain, &TForm3::ButtontoMainClick);
    onClick(this, ButtonSave, &TForm3::ButtonSaveClick);
    onClick(this, ButtonClr, &TForm3::ButtonClrClick);
    onClick(this, ButtonCal, &TForm3::ButtonCalClick);
    connect(RadioGroupXY, &RadioGroup::clicked, this, guarded(this, &TForm3::RadioGroupXYClick));
    onClick(this, ButtonResult, &TForm3::ButtonResultClick);
    onClick(this, ButtonACFtoCB, &TForm3::ButtonACFtoCBClick);
    onClick(this, ButtonSmooth, &TForm3::ButtonSmoothClick);
}

void TForm3::ButtonLoadClick()
{
    const ViewerSnapshot viewer = viewerSnapshot_();
    EditPxlSpc->setText(qstr(viewer.pixelSpacing));
    EditImgSizeX->setText(qstr(viewer.imageColumns));
    EditImgSizeY->setText(qstr(viewer.imageRows));
    EditROIX->setText(qstr(viewer.roiWidth));
    EditROIY->setText(qstr(viewer.roiHeight));
    showSegments(*this, loadSegments(viewer.roiWidth));
    const char* headers[5] = {"No.", "Color", "FileName", "Length", "Width"};
    for (int c = 0; c < 5; ++c) StringGridFileName->setCell(c, 0, headers[c]);
    for (int r = 1; r <= 5; ++r) StringGridFileName->setCell(0, r, QString::number(r));
    ButtonClrClick();
}

void TForm3::ButtonClrClick()
{
    Spectrum->RunCount = 0;
    for (const ChartSeries* chart : {&SeriesLin, &SeriesLog, &SeriesProfile, &SeriesAcf})
        for (QLineSeries* s : *chart) s->clear();
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c < 5; ++c) StringGridFileName->setCell(c, r, QString());
        StringGridFileName->setCell(0, r, QString::number(r));
    }
}

void TForm3::RadioGroupXYClick() { showSegments(*this, exchanged(segmentTexts(*this))); }

void TForm3::ButtontoMainClick()
{
    hide();
    if (showViewer_) showViewer_();
}

SpectrumTexts TForm3::readSpectrumParameters(const ViewerSnapshot& viewer) const
{
    SpectrumTexts t;
    t.imageWidth = textOf(EditImgSizeX);
    t.factor = textOf(EditC);
    t.offset = viewer.offset;
    t.segments = segmentTexts(*this);
    t.roiWidth = viewer.roiWidth;
    t.roiHeight = viewer.roiHeight;
    t.roiX = viewer.roiX;
    t.roiY = viewer.roiY;
    t.limit = textOf(EditNSgmnt2);
    t.header = viewer.header;
    t.bandDegree = textOf(EditN);
    t.segmentDegree = textOf(EditN1);
    t.pixelSpacing = textOf(EditPxlSpc);
    t.swap = viewer.swap;
    t.directionY = RadioGroupXY->itemIndex() == 1;
    t.bandTrend = CheckBoxTrnd->isChecked();
    t.segmentTrend = CheckBoxTrnd1->isChecked();
    t.hamming = RadioGroupWindow->itemIndex() == 1;
    t.x0 = viewer.roiRect.Left;
    t.y0 = viewer.roiRect.Top;
    t.imageColumns = viewer.columns;
    t.imageRows = viewer.rows;
    return t;
}

void TForm3::ButtonCalClick()
{
    const ViewerSnapshot viewer = viewerSnapshot_();
    Calculate(readSpectrumParameters(viewer), *viewer.image, viewer.fileName);
}

void TForm3::Calculate(const SpectrumTexts& texts, const ByteBuffer& image, const std::string& fileName)
{
    const SpectrumParameters p = spectrumParameters(texts);
    const int32_t used = calculateSpectrum(*Spectrum, p, image, *this);
    setInt(EditNSgmnt, used);
    last_ = Calculation{texts, fileName, std::to_string(used)};
    Spectrum->PointCount = Spectrum->SegmentLength;
    graph(qstr(fileName));
    Spectrum->RunCount += 1;
}

void TForm3::SetParameterTexts(const SpectrumTexts& t)
{
    EditPxlSpc->setText(qstr(t.pixelSpacing));
    EditImgSizeX->setText(qstr(t.imageWidth));
    EditROIX->setText(qstr(t.roiWidth));
    EditROIY->setText(qstr(t.roiHeight));
    // The switch exchanges the segment edits when it changes, so it goes first.
    RadioGroupXY->setItemIndex(t.directionY ? 1 : 0);
    showSegments(*this, t.segments);
    EditNSgmnt2->setText(qstr(t.limit));
    EditC->setText(qstr(t.factor));
    CheckBoxTrnd->setChecked(t.bandTrend);
    EditN->setText(qstr(t.bandDegree));
    CheckBoxTrnd1->setChecked(t.segmentTrend);
    EditN1->setText(qstr(t.segmentDegree));
    RadioGroupWindow->setItemIndex(t.hamming ? 1 : 0);
}
