#pragma once
// Wraps a window's handler for a Qt connection: a failure ends the handler and is
// shown with the error report, and never crosses the signal.
#include "AppError.h"
#include "Dialogs.h"

#include <QAbstractButton>
#include <QString>
#include <QWidget>

#include <exception>
#include <utility>

template <typename Window, typename... Args>
auto guarded(Window* window, void (Window::*handler)(Args...))
{
    return [window, handler](Args... args) {
        try {
            (window->*handler)(std::forward<Args>(args)...);
        } catch (const std::exception& e) {
            dialogs().errorReport(window, QString::fromUtf8(e.what()));
        }
    };
}

// A button's click runs the window's handler, guarded.
template <typename Window>
void onClick(Window* window, QAbstractButton* button, void (Window::*handler)())
{
    QObject::connect(button, &QAbstractButton::clicked, window, guarded(window, handler));
}
