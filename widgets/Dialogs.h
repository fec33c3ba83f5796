#pragma once
// The modal interactions of the program, behind one replaceable interface so that
// tests can script them and never block.
#include <QString>

#include <memory>
#include <optional>

class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The file-open dialog: the chosen path, or nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent) = 0;
    // The file-save dialog, offering the suggested name: the chosen path, or nothing when cancelled.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName) = 0;
    // The input box: the typed text, or the default text when cancelled.
    virtual QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText) = 0;
    // An information message with an OK button.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // The error report that shows a failure's message.
    virtual void errorReport(QWidget* parent, const QString& message) = 0;
    // A yes-or-no question: true for yes. Where nobody can answer, the answer is no.
    virtual bool question(QWidget* parent, const QString& text)
    {
        (void)parent;
        (void)text;
        return false;
    }
};

// The dialogs in use; Qt's own until replaced.
Dialogs& dialogs();
void setDialogs(std::unique_ptr<Dialogs> replacement);
