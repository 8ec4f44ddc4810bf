#pragma once

#include <QSize>

class QWidget;

// Gives a window the size it wants, within the room its screen leaves for windows (a small screen
// or a large scale factor makes a logical size larger than the screen), and centres it there.
// `parent` names the screen; the primary screen without one.
void placeOnScreen(QWidget* window, QSize wanted, const QWidget* parent);
