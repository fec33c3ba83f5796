#include "Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

class QtDialogs final : public Dialogs {
public:
    std::optional<QString> openFile(QWidget* parent) override
    {
        // Like the classic open dialog, it also takes a newly typed name: "Trim" names its output with it.
        QFileDialog dialog(parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName) override
    {
        QFileDialog dialog(parent);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix("pdf");
        dialog.setNameFilter("PDF (*.pdf)");
        dialog.selectFile(suggestedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    QString inputBox(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& defaultText) override
    {
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
        return ok ? answer : defaultText;
    }

    void information(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QString(), text, QMessageBox::Ok);
    }

    void errorReport(QWidget* parent, const QString& message) override
    {
        QMessageBox::critical(parent, QString(), message, QMessageBox::Ok);
    }

    bool question(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    }
};

std::unique_ptr<Dialogs>& current()
{
    static std::unique_ptr<Dialogs> instance = std::make_unique<QtDialogs>();
    return instance;
}

} // namespace

Dialogs& dialogs() { return *current(); }

void setDialogs(std::unique_ptr<Dialogs> replacement) { current() = std::move(replacement); }
