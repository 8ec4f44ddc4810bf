#pragma once

// Drives the programs' modal dialogs in the main-window and report tests: enters a small stand
// into the input dialog, runs it and leaves it, the way a user would.

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/CInputDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>

#include <functional>

// Calls `open`, which runs a modal dialog, and `inside` on that dialog once it shows. Whatever
// `inside` does, the dialog is closed afterwards (without its leaving question), so a failed
// check never leaves a test waiting on a window.
inline void whileModal(const std::function<void()>& open, const std::function<void(QDialog*)>& inside) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        inside(dialog);
        if (dialog->isVisible()) dialog->done(QDialog::Rejected);
    });
    open();
}

// A stand of `plots` plots of two trees each, every tree a sound, large, desirable white oak.
// Plot `zeroPlot` (from 1; 0 for none) holds only small cull trees, worth nothing.
inline void writeStand(const timbra::ProgramProfile& profile, timbra::Sheet& tally, int plots,
                       int zeroPlot = 0) {
    tally.SetText(3, 2, "North Ridge");
    tally.SetText(3, 3, "Compartment 12");
    tally.SetInteger(10, 2, plots);
    if (profile.hasProvince) tally.SetText(10, 3, "Cumberland");
    int row = 6;
    for (int plot = 1; plot <= plots; ++plot) {
        const bool cull = plot == zeroPlot;
        for (int tree = 1; tree <= 2; ++tree, ++row) {
            tally.SetInteger(1, row, plot);
            tally.SetInteger(2, row, row - 5);
            tally.SetText(3, row, "WHO");
            tally.SetText(4, row, cull ? "Unacceptable" : "Desirable");
            tally.SetInteger(5, row, cull ? 6 : 16);
            tally.SetFloat(6, row, cull ? 0 : 2.5);
            tally.SetInteger(7, row, cull ? 0 : 1);
            tally.SetText(8, row, cull ? " " : "High");
            tally.SetText(9, row, cull ? " " : "Dominant");
            tally.SetText(10, row, cull ? "Cull" : "Preferred");
        }
    }
}

// Inside the input dialog: writes the stand, ticks objective `objective` (1 is ticked at start)
// and runs it. Leaving is the caller's choice.
inline void runStand(const timbra::ProgramProfile& profile, CInputDialog& dialog, int plots,
                     int objective = 1, int zeroPlot = 0) {
    writeStand(profile, dialog.grid()->sheet(), plots, zeroPlot);
    dialog.grid()->refresh();
    if (objective != 1) dialog.findChild<QCheckBox*>(QStringLiteral("objective%1").arg(objective))->click();
    dialog.OnRun();
}
