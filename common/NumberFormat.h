#pragma once
// Texts of numbers as the program writes them into edits, grids, memos and the clipboard.
#include <string>

// The general format: 15 significant digits, no trailing zeros, no point when whole;
// plain for 0 and magnitudes from 0.0001 to below 1e15, otherwise "5E-5", "2E20".
std::string formatGeneral(long double value);

// "#,##0.000": three decimals, "," between thousands, "." as decimal point.
std::string formatThousands3(double value);

// A fixed number of decimals, "." as decimal point, no thousands separators: "16.697".
std::string formatFixed(double value, int decimals);
