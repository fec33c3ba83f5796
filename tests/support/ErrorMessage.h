#pragma once
// The message of the AppError an action throws, or "(no error)".
#include "AppError.h"

#include <functional>
#include <string>

inline std::string errorMessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e.what();
    }
    return "(no error)";
}
