#pragma once

#include <QColor>
#include <QFont>

// How the window looks, in one place beside its control table.
namespace dornelik::look {

inline constexpr QColor windowBackground{192, 192, 255};
inline constexpr QColor headingBackground{255, 192, 128};
inline constexpr QColor clearButtonFace{255, 0, 0};

inline constexpr char fontFamily[] = "Times New Roman";
inline constexpr int fontPointSize = 12;

// The window's font, or a serif face that shows Cyrillic where the chosen one would not.
QFont windowFont();

// The application-wide style and palette the window is drawn with, the same on every
// desktop, and the program's name, version and icon.
void setUpApplication();

} // namespace dornelik::look
