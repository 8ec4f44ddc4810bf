// Takes the documentation's screenshots (docs/screenshots/*.png) from the real windows, each at the
// size it opens with, over the example stands: the input dialog after Run, the report, Stand
// Statistics and a reference page. Not a test: tools/screenshots.sh runs it under a virtual display
// with the folder to write to as its one argument. It drives the windows the way the Qt tests do.
#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/Startup.h"
#include "gui/pages/ReferencePageDialog.h"

#include <cstdio>

namespace {

bool grab(QWidget* window, const QString& path) {
    if (!QTest::qWaitForWindowExposed(window)) return false;
    QTest::qWait(300);
    return window->grab().save(path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: timbra-screenshots FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    TestPrompter prompter;
    bool ok = true;
    for (const auto& [profile, example] : {std::pair{&timbra::timbraProfile(), "upland-ridge-stand.txt"},
                                           {&timbra::lowtimbraProfile(), "bottomland-creek-stand.txt"}}) {
        const QString name = folder + '/' + QString::fromStdString(profile->executable);
        const auto frame = openMainWindow(*profile);
        whileModal([&] { action(*frame, "actionInputData")->trigger(); },
                   [&](QDialog* d) {
                       auto* dialog = qobject_cast<CInputDialog*>(d);
                       const std::string path = TIMBRA_EXAMPLES "/" + std::string(example);
                       ok &= dialog->openTallyFile(QString::fromStdString(path));
                       dialog->OnRun();
                       ok &= grab(dialog, name + "-input.png");
                       prompter.answers = {true};
                       dialog->accept();
                   });
        action(*frame, "actionViewResults")->trigger();
        ok &= grab(frame.get(), name + "-report.png");
        if (profile->hasProvince)
            whileModal([&] { action(*frame, "actionStandStatistics")->trigger(); },
                       [&](QDialog* d) { ok &= grab(d, name + "-statistics.png"); });
        ReferencePageDialog page(*profile, profile->fieldInstructions, frame.get());
        page.show();
        ok &= grab(&page, name + "-field-instructions.png");
    }
    if (!ok) std::fputs("timbra-screenshots: a window did not show or a picture was not saved\n", stderr);
    return ok ? 0 : 1;
}
