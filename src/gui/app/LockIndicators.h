#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// Which lock keys are on, as the keyboard lights show them; all off where the platform cannot
// tell (no keyboard lights under /sys/class/leds, as under a virtual display).
struct LockState {
    bool caps = false, num = false, scroll = false;
};
LockState readLockLights(const QString& ledsFolder = QStringLiteral("/sys/class/leds"));

// The status bar's CAP, NUM and SCRL panes: dimmed while their lock is off. They are brought up
// to date when a lock key is pressed or released and when the window becomes active.
class LockIndicators : public QWidget {
    Q_OBJECT
public:
    explicit LockIndicators(QWidget* parent = nullptr);

    void display(const LockState& state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
};
