#pragma once
// A Dialogs double for window tests: answers come from queues the test fills,
// and every message shown is recorded instead of blocking.
#include "Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class ScriptedDialogs : public Dialogs {
public:
    std::deque<std::optional<QString>> openAnswers;  // nullopt: the dialog is cancelled
    std::deque<std::optional<QString>> inputAnswers; // nullopt: the box is cancelled
    std::deque<std::optional<QString>> saveAnswers;  // nullopt: the dialog is cancelled
    QStringList saveSuggestions;                     // the name offered, per save dialog shown
    QStringList inputPrompts;                        // caption + "|" + prompt + "|" + default, per box shown
    std::deque<bool> questionAnswers;                // none left: no
    QStringList questions;                           // the text of each question asked
    QStringList informations;
    QStringList errors;
    int openCount = 0;

    std::optional<QString> openFile(QWidget* parent) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName) override;
    QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    void information(QWidget* parent, const QString& text) override;
    void errorReport(QWidget* parent, const QString& message) override;
    bool question(QWidget* parent, const QString& text) override;
};

// Installs a fresh ScriptedDialogs as the program's dialogs and returns it.
ScriptedDialogs& installScriptedDialogs();
