#pragma once
// A captioned group of radio items with one selected index. A change of the
// selection, by the user or by setItemIndex, emits clicked(); setting the index
// that is already selected emits nothing.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    void setItemIndex(int index);
    QString itemText() const;

signals:
    void clicked();

private:
    QButtonGroup buttons_;
    QStringList items_;
    int index_ = -1;
};
