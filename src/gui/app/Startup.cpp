#include "gui/app/Startup.h"

#include "core/app/ProgramProfile.h"
#include "core/app/Version.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CWelcomeDialog.h"

#include <QApplication>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstring>

QString noDisplayMessage(const timbra::ProgramProfile& profile) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name)) return {};
    return QStringLiteral("%1: no display found; start it from a desktop session, or use timbra-cli")
        .arg(QString::fromStdString(profile.executable));
}

std::unique_ptr<CMainFrame> openMainWindow(const timbra::ProgramProfile& profile) {
    auto frame = std::make_unique<CMainFrame>(profile);
    // The size the window takes when un-maximised, and keeps where no window manager maximises
    // it (a bare virtual display): most of the screen, centred.
    const QRect screen = frame->screen()->availableGeometry();
    const QSize normal = screen.size() * 4 / 5;
    frame->setGeometry(QRect(screen.center() - QPoint(normal.width() / 2, normal.height() / 2), normal));
    frame->showMaximized();
    frame->repaint();
    return frame;
}

std::unique_ptr<CMainFrame> startProgram(const timbra::ProgramProfile& profile) {
    auto frame = openMainWindow(profile);
    CWelcomeDialog welcome(profile, frame.get());
    welcome.exec();
    return frame;
}

int runProgram(int argc, char** argv, const timbra::ProgramProfile& profile) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        const bool written = std::printf("%s %s\n", profile.executable.c_str(), timbra::version) > 0;
        return written && std::fflush(stdout) == 0 ? 0 : 1;
    }
    // Qt would abort with a long platform-plugin message; one plain line says what to do.
    if (const QString message = noDisplayMessage(profile); !message.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    // A file-size limit makes a save fail with a reason the user is told, instead of ending the
    // program with the signal.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(profile.appName));
    QApplication::setDesktopFileName(QString::fromStdString(profile.executable));
    const auto frame = startProgram(profile);
    return QApplication::exec();
}
