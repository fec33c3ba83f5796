#include "RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), items_(items)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + QString::number(i));
        buttons_.addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == index_) return;
        index_ = id;
        emit clicked();
    });
}

void RadioGroup::setItemIndex(int index)
{
    if (index == index_ || index < 0 || index >= items_.size()) return;
    index_ = index;
    buttons_.button(index)->setChecked(true);
    emit clicked();
}

QString RadioGroup::itemText() const { return index_ >= 0 ? items_[index_] : QString(); }
