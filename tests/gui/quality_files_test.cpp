// File faults met through the input dialog's Save as... and Open: each is told to the user in a
// message naming the file and the reason, and neither the grid nor the file on disk is harmed.
#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input_test_prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const timbra::ProgramProfile& upland() {
    return timbra::timbraProfile();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::string cellsOf(const CInputDialog& dialog) {
    const timbra::Sheet& s = dialog.grid()->sheet();
    std::string all;
    for (int r = 1; r <= s.GetMaxRows(); ++r)
        for (int c = 1; c <= s.GetMaxCols(); ++c)
            all += s.GetText(c, r) + '\x1f';
    return all;
}

void putStand(CInputDialog& dialog) {
    timbra::Sheet& tally = dialog.grid()->sheet();
    tally.SetText(3, 2, "Ridge stand");
    tally.SetText(10, 2, "2");
    const char* tree[] = {"1", "1", "WO", "Desirable", "18", "2.5", "1", "High", "Dominant", "Preferred"};
    for (int c = 1; c <= 10; ++c)
        tally.SetText(c, 6, tree[c - 1]);
    dialog.grid()->refresh();
}

// The one message shown, which must name the file and give the reason.
void expectMessage(const TestPrompter& prompter, const QString& path, const QString& reason) {
    QCOMPARE(prompter.messages.size(), 1);
    const QString text = prompter.messages.first().text;
    QVERIFY2(text.contains(path), qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QCOMPARE(prompter.messages.first().caption, QStringLiteral("Timbra"));
}

} // namespace

class QualityFilesTest : public QObject {
    Q_OBJECT
private slots:
    void saveFailsWithoutHarm_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder that is a file") << "plain.txt/stand.txt"
                                               << "Not a directory";
        QTest::newRow("folder that vanished") << "gone/stand.txt"
                                              << "No such file or directory";
        QTest::newRow("folder as the file") << "."
                                            << "it is a folder";
        QTest::newRow("device") << "/dev/full"
                                << "not a regular file";
        QTest::newRow("kernel's own folder") << "/proc/stand.txt"
                                             << "Cannot save";
    }
    void saveFailsWithoutHarm() {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeAll(dir.filePath("plain.txt"), "kept as it was");
        QDir(dir.path()).mkdir("gone");
        QDir(dir.path()).rmdir("gone");
        const QString path = where.startsWith('/') ? where : dir.filePath(where);

        TestPrompter prompter;
        CInputDialog dialog(upland());
        putStand(dialog);
        const std::string before = cellsOf(dialog);
        prompter.fileNames = {path};
        dialog.OnSaveAs();
        expectMessage(prompter, path, reason);
        QVERIFY(prompter.messages.first().text.startsWith("The tally was not saved."));
        QCOMPARE(cellsOf(dialog), before);
        QCOMPARE(readAll(dir.filePath("plain.txt")), QByteArray("kept as it was"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"plain.txt"});
    }

    void openFailsWithoutHarm_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QByteArray>("content"); // written to the file when not empty
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "." << QByteArray() << "it is a folder";
        QTest::newRow("device") << "/dev/zero" << QByteArray() << "not a regular file";
        QTest::newRow("missing") << "missing.txt" << QByteArray() << "No such file or directory";
        QTest::newRow("binary") << "binary.txt" << QByteArray("1,2\r\0\0\0", 7) << "NUL byte";
    }
    void openFailsWithoutHarm() {
        QFETCH(QString, where);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = where == "." ? dir.path() : where.startsWith('/') ? where : dir.filePath(where);
        if (!content.isEmpty()) writeAll(path, content);

        TestPrompter prompter;
        CInputDialog dialog(upland());
        putStand(dialog);
        const std::string before = cellsOf(dialog);
        prompter.fileNames = {path};
        dialog.OnOpen();
        expectMessage(prompter, path, reason);
        QVERIFY(prompter.messages.first().text.startsWith("The tally was not opened."));
        QCOMPARE(cellsOf(dialog), before);
    }

    // Print to a PDF file goes through the same checks and the same atomic save as Save as.
    void printToPdfFailsWithoutHarm_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("sizeLimit"); // bytes a file may grow to; 0 for none
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << "old.pdf" << 8192 << "File too large";
        QTest::newRow("device") << "/dev/full" << 0 << "not a regular file";
        QTest::newRow("folder") << "." << 0 << "it is a folder";
    }
    void printToPdfFailsWithoutHarm() {
        QFETCH(QString, where);
        QFETCH(int, sizeLimit);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeAll(dir.filePath("old.pdf"), "%PDF an older print");
        const QString path = where == "." ? dir.path() : where.startsWith('/') ? where : dir.filePath(where);

        TestPrompter prompter;
        CInputDialog dialog(upland());
        putStand(dialog);
        prompter.pdfPath = path;
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit > 0) {
            const rlimit limit{rlim_t(sizeLimit), unlimited.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        dialog.OnPrint();
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);

        expectMessage(prompter, path, reason);
        QVERIFY(prompter.messages.first().text.startsWith("The print was not saved."));
        QCOMPARE(readAll(dir.filePath("old.pdf")), QByteArray("%PDF an older print"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"old.pdf"});
        struct stat st {};
        ::stat("/dev/full", &st);
        QVERIFY(S_ISCHR(st.st_mode));
    }

    // A file cut off in the middle of a row, with a DBH out of range and a stray Windows-1252 byte
    // among UTF-8 text, opens with what it holds; the cells their editors refuse are marked, and the
    // user is told both in one message.
    void openMarksRefusedCells() {
        QTemporaryDir dir;
        const QString path = dir.filePath("cut.txt");
        TestPrompter prompter;
        CInputDialog dialog(upland());
        putStand(dialog);
        prompter.fileNames = {path, path};
        dialog.OnSaveAs();
        QByteArray bytes = readAll(path).replace(",18,", ",99,").replace("Ridge", "Ch\xC3\xA2teau \x96");
        bytes.truncate(bytes.indexOf("Preferred") + 5);
        writeAll(path, bytes);

        dialog.OnOpen();
        QCOMPARE(prompter.messages.size(), 1);
        const QString text = prompter.messages.first().text;
        QCOMPARE(text, "1 byte of " + path +
                           " is not UTF-8 and was read as a Windows-1252 character. 2 cells of " + path +
                           " hold values that their column does not accept; they are marked in the grid.");
        const timbra::Sheet& tally = dialog.grid()->sheet();
        QCOMPARE(tally.GetText(3, 2) + '|' + tally.GetText(10, 6) + '|' + tally.GetText(1, 7),
                 "Ch\u00E2teau \u2013 stand|Prefe|");
        QCOMPARE((QList<bool>{dialog.grid()->isMarked(5, 6), dialog.grid()->isMarked(10, 6),
                              dialog.grid()->isMarked(4, 6)}),
                 (QList<bool>{true, true, false}));
    }
};

QTEST_MAIN(QualityFilesTest)
#include "quality_files_test.moc"
