#include "Unit1.h"

#include "EditText.h"
#include "FormControls.h"
#include "Guarded.h"
#include "HeaderExport.h"
#include "HeadlessLoad.h"
#include "ImageWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QLinearGradient>
#include <QPainter>

TForm1* Form1 = nullptr;

namespace {

constexpr int rightColumnX = 520, rightColumnWidth = 194; // the column right of the image

// The start picture: a quiet colour field with the program's name.
QPixmap startPicture()
{
    QPixmap picture(512, 512);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 512, 512);
    gradient.setColorAt(0, QColor(20, 40, 90));
    gradient.setColorAt(1, QColor(40, 120, 140));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QString(), 40, QFont::Bold));
    painter.drawText(picture.rect(), Qt::AlignCenter, "CTIQ");
    return picture;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle("Viewer");
    createControls();
    connectHandlers();
    // The size menu reports its items once the window exists, before the start-up steps.
    guarded(this, &TForm1::PopupMenu1Change)();

    // Start-up.
    ViewState = 0;
    FileBuffer.clear();
    DispBitmap.resize(512, 512);
    setFixedSize(716, 757);
    move(51, 20);
    Image1->hide();
    for (int c = 0; c < TagGridColumns; ++c) StringGridDICOM->setCell(c, 0, TagGridCaptions[c]);
    EditFileName->setText(QString());

    qApp->installEventFilter(this);
}

void TForm1::createControls()
{
    EditFileName = edit(this, "EditFileName", "EditFileName", {0, 0, 716, 20});
    createImageArea();
    createToolColumn();
    createWindowingGroup();
    createRoiGroup();
    createSeriesPanel();
    createTagGridAndGeometry();
    createBottomRow();
}

// The image area with the image tools laid over its edges.
void TForm1::createImageArea()
{
    ScrollBox1 = named(new QWidget(this), "ScrollBox1");
    ScrollBox1->setGeometry(0, 21, 516, 516);
    ScrollBox1->setAutoFillBackground(true);
    Image2 = named(new QLabel(ScrollBox1), "Image2");
    Image2->setGeometry(2, 2, 512, 512);
    Image2->setPixmap(startPicture());
    Image1 = named(new ImageWidget(DispBitmap, ScrollBox1), "Image1");
    Image1->setGeometry(2, 2, 512, 512);
    Button1 = button(ScrollBox1, "Button1", "+", {4, 4, 24, 22});
    EditMF = edit(ScrollBox1, "EditMF", "1.0", {30, 4, 40, 22});
    Button2 = button(ScrollBox1, "Button2", "-", {72, 4, 24, 22});
    ButtonCCW = button(ScrollBox1, "ButtonCCW", "CCW", {400, 4, 50, 22});
    ButtonCW = button(ScrollBox1, "ButtonCW", "CW", {454, 4, 50, 22});
    ButtonVert = button(ScrollBox1, "ButtonVert", "V", {4, 246, 24, 22});
    ButtonHoriz = button(ScrollBox1, "ButtonHoriz", "H", {246, 488, 24, 22});
    ButtonTriming = button(ScrollBox1, "ButtonTriming", "Trim", {4, 488, 44, 22});
}

// Right of the image: the tool selector and the DICOM summary.
void TForm1::createToolColumn()
{
    const int x = rightColumnX, w = rightColumnWidth;
    RadioGroupTool = named(new RadioGroup(QString(), {"ROI", "Move", "OFF", "Home"}, 4, this), "RadioGroupTool");
    RadioGroupTool->setGeometry(x, 21, w, 30);
    QFont compact = RadioGroupTool->font();
    compact.setPointSizeF(compact.pointSizeF() * 0.8);
    RadioGroupTool->setFont(compact);
    RadioGroupTool->setStyleSheet("QRadioButton { spacing: 1px; }");
    RadioGroupTool->setItemIndex(0);
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setGeometry(x, 53, w, 120);
}

// "Windowing": level, width and how the samples are read.
void TForm1::createWindowingGroup()
{
    const int x = rightColumnX, w = rightColumnWidth;
    auto* windowing = new QGroupBox("Windowing", this);
    windowing->setGeometry(x, 175, w, 150);
    CheckBoxWWLock = checkBox(windowing, "CheckBoxWWLock", "Lock", false, {6, 18, 60, 20});
    ButtonDisp = button(windowing, "ButtonDisp", "Disp", {70, 16, 56, 24});
    ButtonAutoWL = button(windowing, "ButtonAutoWL", "Auto", {130, 16, 56, 24});
    label(windowing, "Lebel", {6, 44, 40, 18});
    EditWindowLevel = edit(windowing, "EditWindowLevel", "100", {48, 42, 50, 20});
    label(windowing, "Width", {102, 44, 40, 18});
    EditWindowWidth = edit(windowing, "EditWindowWidth", "100", {140, 42, 50, 20});
    CheckBoxSwp = checkBox(windowing, "CheckBoxSwp", "Swap", false, {6, 66, 70, 20});
    CheckBoxInvrt = checkBox(windowing, "CheckBoxInvrt", "Invert", false, {80, 66, 80, 20});
    RadioGroupRange = named(new RadioGroup("Range", {"1", "3", "10", "30"}, 4, windowing), "RadioGroupRange");
    RadioGroupRange->setGeometry(4, 90, w - 8, 54);
    RadioGroupRange->setItemIndex(1);
}

// "ROI": position, size, lock, the statistics and the size menu.
void TForm1::createRoiGroup()
{
    const int x = rightColumnX, w = rightColumnWidth;
    auto* roi = new QGroupBox("ROI", this);
    QFont bold = roi->font();
    bold.setBold(true);
    roi->setFont(bold);
    roi->setGeometry(x, 327, w, 130);
    label(roi, "Position", {6, 18, 60, 18});
    EditROIPosX = edit(roi, "EditROIPosX", "64", {70, 16, 56, 20});
    EditROIPosY = edit(roi, "EditROIPosY", "64", {130, 16, 56, 20});
    label(roi, "Size", {6, 40, 60, 18});
    EditROISizeX = edit(roi, "EditROISizeX", "64", {70, 38, 56, 20});
    EditROISizeY = edit(roi, "EditROISizeY", "64", {130, 38, 56, 20});
    CheckBoxRoiLock = checkBox(roi, "CheckBoxRoiLock", "Lock", true, {6, 60, 60, 20});
    label(roi, "Average", {6, 84, 60, 18});
    EditHSBP = edit(roi, "EditHSBP", "0", {70, 82, 116, 20});
    label(roi, "SD", {6, 106, 60, 18});
    EditVSBP = edit(roi, "EditVSBP", "0", {70, 104, 116, 20});
    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    for (int size : {32, 64, 128, 256, 512, 1024, 2048}) {
        QAction* item = PopupMenu1->addAction(QString::number(size));
        item->setObjectName(QString("N%1").arg(size, 4, 10, QChar('0')));
        connect(item, &QAction::triggered, this, [this, size] { guarded(this, &TForm1::RoiSizeMenuClick)(size); });
    }
    for (QLineEdit* sizeEdit : {EditROISizeX, EditROISizeY}) {
        sizeEdit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(sizeEdit, &QWidget::customContextMenuRequested, this,
                [this, sizeEdit](const QPoint& at) { PopupMenu1->popup(sizeEdit->mapToGlobal(at)); });
    }
}

// The slice-series panel: "Open", "Cal." and the series status.
void TForm1::createSeriesPanel()
{
    const int x = rightColumnX, w = rightColumnWidth;
    auto* series = new QWidget(this);
    series->setGeometry(x, 459, w, 77);
    series->setAutoFillBackground(true);
    series->setStyleSheet("background-color: rgb(166, 202, 240);");
    label(series, "Reading image file ", {6, 4, 180, 18});
    ButtonDispC = button(series, "ButtonDispC", "Open", {6, 24, 60, 24});
    label(series, "SliceWidth", {72, 28, 60, 18});
    ButtonCalSW = button(series, "ButtonCalSW", "Cal.", {134, 24, 54, 24});
    LabelSeriesStatus = named(label(series, QString(), {6, 52, 182, 20}), "LabelSeriesStatus");
    QFont small = LabelSeriesStatus->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    LabelSeriesStatus->setFont(small);
}

// The tag grid and the geometry row under the image.
void TForm1::createTagGridAndGeometry()
{
    StringGridDICOM = named(new StringGrid(17, 512, this), "StringGridDICOM");
    StringGridDICOM->setGeometry(0, 536, 716, 109);
    StringGridDICOM->setEditable(true);
    const int widths[] = {32, 39, 39, 32, 36, 171, 337};
    for (int c = 0; c < 17; ++c) StringGridDICOM->setColWidth(c, c < 7 ? widths[c] : 32);

    label(this, "File      Header      FOV       Colum      Row      Offset     Pixel    ShiftX ShiftY SThick ZPos",
          {0, 648, 580, 14});
    QLineEdit** geometry[] = {&EditFileSize, &EditHeader,  &EditFOVSize, &EditImgSizeX, &EditImgSizeY, &EditOffst,
                              &EditPxlSpc,   &EditImgSftX, &EditImgSftY, &EditSThick,   &EditPtPos};
    const char* geometryNames[] = {"EditFileSize", "EditHeader", "EditFOVSize", "EditImgSizeX",
                                   "EditImgSizeY", "EditOffst",  "EditPxlSpc",  "EditImgSftX",
                                   "EditImgSftY",  "EditSThick", "EditPtPos"};
    for (int i = 0; i < 11; ++i) *geometry[i] = edit(this, geometryNames[i], "0", {i * 52, 663, 51, 20});
    ButtonRowCulm = button(this, "ButtonRowCulm", "<>", {574, 662, 40, 22});
    ButtonHeaderToCB = button(this, "ButtonHeaderToCB", "MetaToCB", {616, 662, 98, 22});
}

// The bottom row: file list, "Stat", mode, load and navigation.
void TForm1::createBottomRow()
{
    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setGeometry(0, 687, 290, 68);
    ButtonFileList = button(this, "ButtonFileList", "F.List", {294, 687, 54, 24});
    EditFListNo = edit(this, "EditFListNo", "1", {294, 714, 54, 20});
    ButtonStat = button(this, "ButtonStat", "Stat", {352, 687, 50, 24});
    Memo2 = named(new QPlainTextEdit(this), "Memo2");
    Memo2->setGeometry(352, 714, 50, 40);
    RadioGroupMode = named(new RadioGroup("Mode", {LoadModeNames[0], LoadModeNames[1], LoadModeNames[2]}, 3, this),
                           "RadioGroupMode");
    RadioGroupMode->setGeometry(406, 687, 190, 44);
    RadioGroupMode->setItemIndex(2);
    BitBtnLoad = button(this, "BitBtnLoad", "⇒", {600, 687, 40, 44});
    ButtonToForm2 = button(this, "ButtonToForm2", "Form2", {644, 687, 70, 22});
    ButtonForm3 = button(this, "ButtonForm3", "Form3", {644, 710, 70, 22});
    BitBtnClose = button(this, "BitBtnClose", "Close", {644, 733, 70, 22});
    ButtonSaveBMP = button(this, "ButtonSaveBMP", "imgToCB", {520, 733, 76, 22});
    ButtonTaskIQ = button(this, "ButtonTaskIQ", "TaskIQ", {598, 733, 44, 22});
}

void TForm1::connectHandlers()
{
    onClick(this, BitBtnLoad, &TForm1::BitBtnLoadClick);
    onClick(this, ButtonDisp, &TForm1::ButtonDispClick);
    onClick(this, ButtonAutoWL, &TForm1::ButtonAutoWLClick);
    onClick(this, Button1, &TForm1::Button1Click);
    onClick(this, Button2, &TForm1::Button2Click);
    onClick(this, ButtonSaveBMP, &TForm1::ButtonSaveBMPClick);
    onClick(this, ButtonHeaderToCB, &TForm1::ButtonHeaderToCBClick);
    onClick(this, ButtonRowCulm, &TForm1::ButtonRowCulmClick);
    onClick(this, ButtonFileList, &TForm1::ButtonFileListClick);
    onClick(this, ButtonStat, &TForm1::ButtonStatClick);
    onClick(this, ButtonTriming, &TForm1::ButtonTrimingClick);
    onClick(this, ButtonVert, &TForm1::ButtonVertClick);
    onClick(this, ButtonHoriz, &TForm1::ButtonHorizClick);
    onClick(this, ButtonCCW, &TForm1::ButtonCCWClick);
    onClick(this, ButtonCW, &TForm1::ButtonCWClick);
    onClick(this, ButtonDispC, &TForm1::ButtonDispCClick);
    onClick(this, ButtonCalSW, &TForm1::ButtonCalSWClick);
    onClick(this, ButtonToForm2, &TForm1::ButtonToForm2Click);
    onClick(this, ButtonForm3, &TForm1::ButtonForm3Click);
    onClick(this, ButtonTaskIQ, &TForm1::ButtonTaskIQClick);
    connect(BitBtnClose, &QPushButton::clicked, this, &QWidget::close);

    // A check box changed by the program runs its click action too.
    connect(CheckBoxSwp, &QCheckBox::toggled, this, [this](bool) { guarded(this, &TForm1::CheckBoxSwpClick)(); });
    connect(CheckBoxInvrt, &QCheckBox::toggled, this, [this](bool) { guarded(this, &TForm1::CheckBoxInvrtClick)(); });
    connect(RadioGroupTool, &RadioGroup::clicked, this, guarded(this, &TForm1::RadioGroupToolClick));
    connect(StringGridDICOM, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex&) { guarded(this, &TForm1::StringGridDICOMDblClick)(); });

    connect(Image1, &ImageWidget::mouseDown, this, guarded(this, &TForm1::Image1MouseDown));
    connect(Image1, &ImageWidget::mouseMove, this, guarded(this, &TForm1::Image1MouseMove));
    connect(Image1, &ImageWidget::mouseUp, this, guarded(this, &TForm1::Image1MouseUp));
}

SampleLayout TForm1::sampleLayout() const
{
    return {intOf(EditHeader), ImgSizeX, CheckBoxSwp->isChecked(), intOf(EditOffst)};
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    bool used = false;
    try {
        used = ApplicationEvents1Message(event);
    } catch (const std::exception& e) {
        dialogs().errorReport(this, QString::fromUtf8(e.what()));
        used = true;
    }
    return used || QWidget::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the Viewer ends the program, whatever other window is open.
    event->accept();
    QApplication::quit();
}

ViewerSnapshot TForm1::snapshot() const
{
    ViewerSnapshot s;
    s.fileName = textOf(EditFileName);
    s.pixelSpacing = textOf(EditPxlSpc);
    s.imageColumns = textOf(EditImgSizeX);
    s.imageRows = textOf(EditImgSizeY);
    s.roiWidth = textOf(EditROISizeX);
    s.roiHeight = textOf(EditROISizeY);
    s.roiX = textOf(EditROIPosX);
    s.roiY = textOf(EditROIPosY);
    s.header = textOf(EditHeader);
    s.offset = textOf(EditOffst);
    s.swap = CheckBoxSwp->isChecked();
    s.roiRect = RoiRect;
    s.columns = ImgSizeX;
    s.rows = ImgSizeY;
    s.image = &FileBuffer;
    s.seriesFiles = listEntries(ListBox1);
    s.mode = RadioGroupMode->itemIndex();
    return s;
}

void TForm1::ButtonToForm2Click()
{
    if (peers_.showMtf) peers_.showMtf();
}

void TForm1::ButtonForm3Click()
{
    if (peers_.showSpectra) peers_.showSpectra();
}

void TForm1::ButtonTaskIQClick()
{
    if (peers_.showTaskIq) peers_.showTaskIq();
}
