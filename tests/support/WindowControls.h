#pragma once
// Finding a window's controls from tests, benchmarks and tools: by the object name
// every control carries (its member name), so that the windows need not expose them.
#include <QByteArray>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

template <class T>
T* control(const QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        // A name that is not there is a mistake in the caller, not a result to test.
        std::fprintf(stderr, "%s has no control %s of the type asked for\n",
                     window->objectName().toLatin1().constData(), name);
        std::abort();
    }
    return found;
}
