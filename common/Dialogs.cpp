#include "Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

class QtDialogs final : public Dialogs {
public:
    std::optional<QString> openFile(QWidget* parent) override
    {
        const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), QString(), nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (path.isEmpty()) return std::nullopt;
        return path;
    }

    QString inputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& defaultText) override
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
};

std::unique_ptr<Dialogs>& current()
{
    static std::unique_ptr<Dialogs> instance = std::make_unique<QtDialogs>();
    return instance;
}

} // namespace

Dialogs& dialogs() { return *current(); }

void setDialogs(std::unique_ptr<Dialogs> replacement) { current() = std::move(replacement); }
