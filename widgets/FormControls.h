#pragma once
// Creating a window's controls: each gets its objectName (the name the handlers
// and tests know it by) and its place in the window.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

// An edit shows the start of a text the program writes into it, as a number is read
// from its first digit; a text too long for the box would otherwise show its end.
// Writing a text puts the cursor at its end, even when the text is the same and nothing
// else changes, so the cursor's move is what is watched: one in an edit the user is
// neither in nor typing into comes from the program.
inline QLineEdit* edit(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* e = named(new QLineEdit(text, parent), name);
    e->setGeometry(geometry);
    e->setCursorPosition(0);
    QObject::connect(e, &QLineEdit::cursorPositionChanged, e, [e](int, int now) {
        if (now != 0 && !e->hasFocus() && !e->isModified()) e->setCursorPosition(0);
    });
    return e;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* b = named(new QPushButton(caption, parent), name);
    b->setGeometry(geometry);
    return b;
}

inline QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, bool checked, QRect geometry)
{
    auto* c = named(new QCheckBox(caption, parent), name);
    c->setChecked(checked);
    c->setGeometry(geometry);
    return c;
}

inline QLabel* label(QWidget* parent, const QString& text, QRect geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}
