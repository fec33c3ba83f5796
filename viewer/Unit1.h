#pragma once
// The Viewer window: the loaded image, its geometry edits, the display and the
// tools. The handlers are spread over files named after what they do
// (Unit1Load, Unit1Display, Unit1Roi, Unit1Geometry, Unit1Dicom, Unit1Series);
// each reads the edits, calls the logic beside it and writes the results back.
#include "DisplayMapping.h"
#include "RadioGroup.h"
#include "Samples.h"
#include "StringGrid.h"
#include "ViewerSnapshot.h"
#include "ViewerTypes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <utility>

class ImageWidget;
struct WordImage;
class MtfSeriesInput;

// The texts of a list box's entries, in order.
std::vector<std::string> listEntries(const QListWidget* list);

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // How the Viewer reaches the other windows; the start-up installs it.
    struct Peers {
        std::function<void()> showMtf;      // "Form2"
        std::function<void()> showSpectra;  // "Form3"
        std::function<void()> showTaskIq;   // "TaskIQ"
        MtfSeriesInput* mtfInput = nullptr; // where "Open" and "Cal." write the series
    };
    void setPeers(Peers peers) { peers_ = std::move(peers); }

    // What the WienerSpectra window reads of the Viewer, as it stands now.
    ViewerSnapshot snapshot() const;

    // --- What the Viewer holds and shows, read-only ------------------------
    const ByteBuffer& fileBuffer() const { return FileBuffer; }
    int32_t imgSizeX() const { return ImgSizeX; }
    int32_t imgSizeY() const { return ImgSizeY; }
    int32_t viewState() const { return ViewState; }
    const ViewWindowRect& viewWindow() const { return ViewWindow; }
    const Rect& roiRect() const { return RoiRect; }
    const Rect& roiViewRect() const { return RoiViewRect; }
    const GreyBitmap& dispBitmap() const { return DispBitmap; }
    const QString& dragButton() const { return DragButton; }

    // Takes bytes built in memory as the image file just read; with its matrix
    // size where the caller knows it.
    void loadImageBytes(ByteBuffer bytes) { FileBuffer = std::move(bytes); }
    void loadImageBytes(ByteBuffer bytes, int32_t columns, int32_t rows)
    {
        loadImageBytes(std::move(bytes));
        ImgSizeX = columns;
        ImgSizeY = rows;
    }
    // What the next draw or load does: 0 idle, 1 interactive, 2 load EditFileName,
    // 3 as 2 in a series.
    void setViewState(int32_t state) { ViewState = state; }
    void setRoiRect(const Rect& roi) { RoiRect = roi; }

private:
    // The window's own helpers that read and write its controls.
    friend class ViewerDicomSink;
    friend class ViewerSeriesSlices;
    friend void selectTool(TForm1& form, int tool);
    friend void applyZoom(TForm1& form, bool in);
    friend WordImage imageWords(TForm1& form);

    // --- Controls (objectName = member name) -------------------------------
    QLineEdit* EditFileName;
    QWidget* ScrollBox1;
    QLabel* Image2;       // start picture
    ImageWidget* Image1;  // the image; receives the mouse
    QPushButton* Button1; // "+"
    QPushButton* Button2; // "-"
    QLineEdit* EditMF;
    QPushButton* ButtonVert;  // "V"
    QPushButton* ButtonHoriz; // "H"
    QPushButton* ButtonCCW;
    QPushButton* ButtonCW;
    QPushButton* ButtonTriming; // "Trim"
    RadioGroup* RadioGroupTool; // "ROI", "Move", "OFF", "Home"
    QPlainTextEdit* Memo1;      // DICOM summary lines

    QCheckBox* CheckBoxWWLock; // windowing "Lock"
    QPushButton* ButtonDisp;
    QPushButton* ButtonAutoWL;
    QLineEdit* EditWindowLevel;
    QLineEdit* EditWindowWidth;
    QCheckBox* CheckBoxSwp;
    QCheckBox* CheckBoxInvrt;
    RadioGroup* RadioGroupRange; // "1", "3", "10", "30"

    QLineEdit* EditROIPosX;
    QLineEdit* EditROIPosY;
    QLineEdit* EditROISizeX;
    QLineEdit* EditROISizeY;
    QCheckBox* CheckBoxRoiLock; // ROI "Lock"
    QLineEdit* EditHSBP;        // "Average"
    QLineEdit* EditVSBP;        // "SD"
    QMenu* PopupMenu1;          // ROI sizes N0032 .. N2048

    QPushButton* ButtonDispC;  // "Open"
    QPushButton* ButtonCalSW;  // "Cal."
    QLabel* LabelSeriesStatus; // how the file list holds the series

    QPushButton* ButtonSaveBMP; // "imgToCB"
    StringGrid* StringGridDICOM;

    QLineEdit* EditFileSize;
    QLineEdit* EditHeader;
    QLineEdit* EditFOVSize;
    QLineEdit* EditImgSizeX;
    QLineEdit* EditImgSizeY;
    QLineEdit* EditOffst;
    QLineEdit* EditPxlSpc;
    QLineEdit* EditImgSftX;
    QLineEdit* EditImgSftY;
    QLineEdit* EditSThick;
    QLineEdit* EditPtPos;
    QPushButton* ButtonRowCulm;    // "<>"
    QPushButton* ButtonHeaderToCB; // "MetaToCB"

    QListWidget* ListBox1;
    QPushButton* ButtonFileList; // "F.List"
    QLineEdit* EditFListNo;
    QPushButton* ButtonStat;
    RadioGroup* RadioGroupMode; // " 8bit", "16bit", "DICOM"
    QPushButton* BitBtnLoad;    // "⇒"
    QPushButton* ButtonToForm2;
    QPushButton* ButtonForm3;
    QPushButton* ButtonTaskIQ;
    QPushButton* BitBtnClose;
    QPlainTextEdit* Memo2; // staging area for the clipboard

public:
    // --- Handlers -----------------------------------------------------------
    // Loading and display.
    void BitBtnLoadClick();
    void DrawImage();
    void ButtonDispClick();
    void CheckBoxSwpClick();
    void CheckBoxInvrtClick();
    void ButtonAutoWLClick();
    void Button1Click();
    void Button2Click();
    void ButtonSaveBMPClick();

    // DICOM, tag grid and file list.
    void ReadDicom();
    void ButtonHeaderToCBClick();
    void StringGridDICOMDblClick();
    void ButtonRowCulmClick();
    void ButtonFileListClick();
    // Mouse-wheel stepping through the file list; true when the event was used.
    bool ApplicationEvents1Message(QEvent* event);

    // ROI tool and statistics.
    void DeriveRoiRects(); // RoiRect and RoiViewRect from the ROI edits and ViewWindow
    void DrawRoiFrame();
    void Image1MouseDown(Qt::MouseButton button, int X, int Y);
    void Image1MouseMove(int X, int Y);
    void Image1MouseUp(Qt::MouseButton button);
    void RadioGroupToolClick();
    void RoiSizeMenuClick(int size); // the items N0032 .. N2048
    void PopupMenu1Change();
    void ButtonStatClick();

    // Geometric operations.
    void ButtonTrimingClick();
    void ButtonVertClick();
    void ButtonHorizClick();
    void ButtonCCWClick();
    void ButtonCWClick();

    // Slice-series measurement.
    void ButtonDispCClick();
    void ButtonCalSWClick();

    // Navigation.
    void ButtonToForm2Click();
    void ButtonForm3Click();
    void ButtonTaskIQClick();

    // The layout of the sample words in FileBuffer as the edits describe it now.
    SampleLayout sampleLayout() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The steps of BitBtnLoadClick.
    bool chooseFileToLoad();
    void readFileToLoad(int modeIndex);
    void takeMatrixSize(int modeIndex, QString sizeAnswer);
    void placeRoiOnLoad();

    // The steps of Image1MouseMove, one per tool and button; s is the view scale.
    void dragRoi(int X, int Y, long double s);
    void panImage(int X, int Y, long double s);
    void dragWindowing(int X, int Y);

    void createControls();
    void createImageArea();
    void createToolColumn();
    void createWindowingGroup();
    void createRoiGroup();
    void createSeriesPanel();
    void createTagGridAndGeometry();
    void createBottomRow();
    void connectHandlers();

    // --- Window-wide state --------------------------------------------------
    ByteBuffer FileBuffer;     // the whole current image file
    int32_t ImgSizeX = 0;      // columns
    int32_t ImgSizeY = 0;      // rows
    int32_t ViewState = 0;     // 0 idle, 1 interactive, 2 load EditFileName, 3 as 2 in a series
    ViewWindowRect ViewWindow; // part of the image shown, image pixels
    Rect RoiRect;              // ROI in image pixels
    Rect RoiViewRect;          // ROI in DispBitmap pixels
    GreyBitmap DispBitmap;     // the picture shown by Image1

    QString DragButton; // the mouse button held on the image: "Left", "Right" or empty

    QString CurrentFileName;  // the file being loaded
    GreyTable DispGreyTable;  // grey levels looked up where drawing does not compute them
    std::string DecodingNote; // the summary line of a file decoded on loading, else empty

    // Where the ROI and panning tools took hold of the image.
    int32_t LastMouseX = 0;
    int32_t LastMouseY = 0;
    bool DragTopLeft = false;
    bool DragBottomRight = false;
    bool DragMoveRoi = false;

    Peers peers_;
    MtfSeriesInput& mtfInput() const { return *peers_.mtfInput; }
};

extern TForm1* Form1;
