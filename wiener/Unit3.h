#pragma once
// The WienerSpectra window: the noise power spectrum of the Viewer's ROI.
#include <QPushButton>
#include <QWidget>

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QPushButton* ButtontoMain; // "toForm1"

    void ButtontoMainClick();
};

extern TForm3* Form3;
