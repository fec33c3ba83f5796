#include "ScriptedDialogs.h"

#include <memory>

std::optional<QString> ScriptedDialogs::openFile(QWidget*)
{
    ++openCount;
    if (openAnswers.empty()) return std::nullopt;
    const bool cancelled = !openAnswers.front().has_value();
    const QString path = openAnswers.front().value_or(QString());
    openAnswers.pop_front();
    if (cancelled) return std::nullopt;
    return path;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& suggestedName)
{
    saveSuggestions << suggestedName;
    if (saveAnswers.empty()) return std::nullopt;
    const std::optional<QString> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::inputBox(QWidget*, const QString& caption, const QString& prompt, const QString& defaultText)
{
    inputPrompts << caption + "|" + prompt + "|" + defaultText;
    if (inputAnswers.empty()) return defaultText;
    const QString answer = inputAnswers.front().value_or(defaultText);
    inputAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::information(QWidget*, const QString& text) { informations << text; }

void ScriptedDialogs::errorReport(QWidget*, const QString& message) { errors << message; }

bool ScriptedDialogs::question(QWidget*, const QString& text)
{
    questions << text;
    if (questionAnswers.empty()) return false;
    const bool yes = questionAnswers.front();
    questionAnswers.pop_front();
    return yes;
}

ScriptedDialogs& installScriptedDialogs()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& ref = *dialogs;
    setDialogs(std::move(dialogs));
    return ref;
}
