#pragma once

#include <QSize>

#include <cmath>

// Sizes of the dialog templates are given in dialog units; this turns them into pixels for the
// programs' default font (a dialog unit is about 1.5 pixels wide and 1.75 pixels high).
inline QSize dialogUnits(int x, int y) {
    return {static_cast<int>(std::lround(x * 1.5)), static_cast<int>(std::lround(y * 1.75))};
}
