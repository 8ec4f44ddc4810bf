#include "gui/app/LockIndicators.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace {

// A light named like "input3::capslock" is lit when its brightness is above 0.
bool anyLit(const QDir& leds, const QString& suffix) {
    for (const QString& name : leds.entryList({QStringLiteral("*::") + suffix}, QDir::Dirs | QDir::System)) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) return true;
    }
    return false;
}

QLabel* pane(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    return label;
}

} // namespace

LockState readLockLights(const QString& ledsFolder) {
    const QDir leds(ledsFolder);
    return {anyLit(leds, QStringLiteral("capslock")), anyLit(leds, QStringLiteral("numlock")),
            anyLit(leds, QStringLiteral("scrolllock"))};
}

LockIndicators::LockIndicators(QWidget* parent)
    : QWidget(parent), caps_(pane(tr("CAP"), "capsIndicator", this)),
      num_(pane(tr("NUM"), "numIndicator", this)), scroll_(pane(tr("SCRL"), "scrollIndicator", this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caps_);
    layout->addWidget(num_);
    layout->addWidget(scroll_);
    display(readLockLights());
    qApp->installEventFilter(this);
}

void LockIndicators::display(const LockState& state) {
    caps_->setEnabled(state.caps);
    num_->setEnabled(state.num);
    scroll_->setEnabled(state.scroll);
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            display(readLockLights());
    } else if (type == QEvent::ApplicationActivate) {
        display(readLockLights());
    }
    return QWidget::eventFilter(watched, event);
}
