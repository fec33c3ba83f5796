#pragma once
// Edits hold the parameters as text; these read them as numbers (with the
// system's conversion messages) and write numbers back in the general format.
#include "Convert.h"
#include "NumberFormat.h"

#include <QLineEdit>
#include <QString>

#include <string>

inline std::string textOf(const QLineEdit* edit) { return edit->text().toStdString(); }
inline int32_t intOf(const QLineEdit* edit) { return toInt(textOf(edit)); }
inline long double floatOf(const QLineEdit* edit) { return toFloat(textOf(edit)); }

inline QString qstr(const std::string& text) { return QString::fromStdString(text); }
inline void setInt(QLineEdit* edit, long long value) { edit->setText(QString::number(value)); }
inline void setFloat(QLineEdit* edit, long double value) { edit->setText(qstr(formatGeneral(value))); }
