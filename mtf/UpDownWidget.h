#pragma once
// Up and down arrows with a position of their own, tied to no edit.
#include <QWidget>

class QToolButton;

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int position);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    // Every arrow click, also at the ends of the range.
    void clicked();

private:
    void step(int delta);
    int minimum_;
    int maximum_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};
