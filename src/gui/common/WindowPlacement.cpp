#include "gui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void placeOnScreen(QWidget* window, QSize wanted, const QWidget* parent) {
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen) return window->resize(wanted);
    // Room for the frame a window manager adds around the window; never below the size the
    // window's controls need, which showing it would enforce anyway.
    const QRect room = screen->availableGeometry();
    window->ensurePolished();
    const QSize size = wanted.boundedTo(room.size() - QSize(40, 60)).expandedTo(window->minimumSizeHint());
    window->resize(size);
    const QPoint corner = room.center() - QPoint(size.width() / 2, size.height() / 2);
    window->move(std::max(corner.x(), room.left()), std::max(corner.y(), room.top()));
}
