#include "ScriptedDialogs.h"

#include <memory>

std::optional<QString> ScriptedDialogs::openFile(QWidget*)
{
    ++openCount;
    if (openAnswers.empty()) return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::inputBox(QWidget*, const QString& caption, const QString& prompt, const QString& defaultText)
{
    inputPrompts << caption + "|" + prompt + "|" + defaultText;
    if (inputAnswers.empty()) return defaultText;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer.value_or(defaultText);
}

void ScriptedDialogs::information(QWidget*, const QString& text) { informations << text; }

void ScriptedDialogs::errorReport(QWidget*, const QString& message) { errors << message; }

ScriptedDialogs& installScriptedDialogs()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& ref = *dialogs;
    setDialogs(std::move(dialogs));
    return ref;
}
