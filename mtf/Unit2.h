#pragma once
// The MTF window: the slice sensitivity profile along z and its MTF.
#include <QPushButton>
#include <QWidget>

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QPushButton* ButtonForm1; // "ToForm1"

    void ButtonForm1Click();
};

extern TForm2* Form2;
