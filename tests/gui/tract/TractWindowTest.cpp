// The Stands window: stands loaded on worker threads (the examples, a missing file, the other
// program's tally), sorting by value with "n/a" last, the filter, a stand opened into the input
// dialog, a large load cancelled, the chart and the table selecting together, rows following their
// files, and the tract file and exports.
#include "gui/tract/TractWindow.h"
#include "core/app/StandDocument.h"
#include "core/input/TallyFile.h"
#include "gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/tract/FrozenColumnTable.h"
#include "gui/tract/TractChart.h"
#include "gui/tract/TractLoader.h"
#include "gui/tract/TractModel.h"
#include "gui/view/CTimbraView.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

using timbra::TractColumn;

namespace {

const QString Examples = QStringLiteral(TIMBRA_EXAMPLES);
const QString Stands = QStringLiteral(TIMBRA_TEST_DATA "/cli");

// The column's texts as the table shows them, top to bottom.
QStringList columnTexts(const TractWindow& window, TractColumn column) {
    QStringList texts;
    const int c = window.model()->columnOf(column);
    for (int row = 0; row < window.sortModel()->rowCount(); ++row)
        texts << window.sortModel()->index(row, c).data().toString();
    return texts;
}

void loadAll(TractWindow& window, const QStringList& paths) {
    window.addPaths(paths);
    window.loader()->waitForFinished();
}

} // namespace

class TractWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPrompter> prompter;

private slots:
    void init() { prompter = std::make_unique<TestPrompter>(); }
    void cleanup() { prompter.reset(); }

    // Each stand keeps its row, with what keeps it from being judged in the Problem column; the
    // window opens within the screen, however small.
    void loadsEveryKindOfStand() {
        TractWindow window(timbra::timbraProfile());
        window.show();
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
        loadAll(window, {Examples + "/upland-ridge-stand.txt", Examples + "/bottomland-creek-stand.txt",
                         Stands + "/no-such-stand.txt", Stands + "/counts.txt"});
        window.table()->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::File),
                 (QStringList{"bottomland-creek-stand.txt", "counts.txt", "no-such-stand.txt",
                              "upland-ridge-stand.txt"}));
        QCOMPARE(columnTexts(window, TractColumn::Problem),
                 (QStringList{"looks like a bottomland tally; 1 cell outside its limits",
                              "1 cell outside its limits", "missing", ""}));
        QCOMPARE(columnTexts(window, TractColumn::StandName),
                 (QStringList{"Cypress Creek bottom", "Test stand", "", "Buck Ridge oak stand"}));
        QCOMPARE(window.table()->model()->index(3, 0).data(Qt::ToolTipRole).toString(),
                 QFileInfo(Examples + "/upland-ridge-stand.txt").absoluteFilePath());
        // Another objective, other figures: the upland example is managed under objective 4 only.
        QCOMPARE(columnTexts(window, TractColumn::Decision).last(), QString("Regenerate"));
        window.findChild<QComboBox*>("objective")->setCurrentIndex(3);
        QCOMPARE(columnTexts(window, TractColumn::Decision).last(), QString("Manage"));
        // Added again, a stand is not listed twice.
        loadAll(window, {Examples + "/upland-ridge-stand.txt"});
        QCOMPARE(window.model()->rowCount(), 4);
    }

    // Import... turns a tree list of three stands into three tallies in the folder chosen, byte for
    // byte those the command line writes, and adds them to the tract.
    void importsATreeListAsOneTallyPerStand() {
        QTemporaryDir config, out;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        TestPrompter prompter;
        TractWindow window(timbra::timbraProfile());
        prompter.fileNames << Examples + "/pine-knob-cruise.csv"
                           << Examples + "/pine-knob-cruise.mapping.json" << out.path();
        whileModal([&] { window.findChild<QPushButton*>("import")->click(); },
                   [](QDialog* d) {
                       d->findChild<QPushButton*>("importMapping")->click();
                       d->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
                   });
        window.loader()->waitForFinished();
        QTRY_COMPARE(window.model()->rowCount(), 3);
        for (const char* stand : {"Pine Knob North", "Pine Knob South", "Mill Branch, lower"}) {
            QFile written(out.filePath(QString(stand) + ".txt")),
                shipped(Examples + "/pine-knob-tallies/" + stand + ".txt");
            QVERIFY2(written.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly), stand);
            QCOMPARE(written.readAll(), shipped.readAll());
        }
        QVERIFY2(prompter.messages.isEmpty(), qPrintable(prompter.messages.join(' ')));
    }

    // Numbers sort as numbers ("6.8" before "19.2"), and "n/a" and blanks come last both ways.
    void sortsByValueAndFilters() {
        TractWindow window(timbra::timbraProfile());
        loadAll(window, {Stands + "/control.txt", Stands + "/counts.txt",
                         Examples + "/upland-ridge-stand.txt", Stands + "/gone.txt"});
        const int value = window.model()->columnOf(TractColumn::StandValue);
        const int low = window.model()->columnOf(TractColumn::Low);
        window.table()->sortByColumn(value, Qt::AscendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::StandValue), (QStringList{"6.8", "19.2", "39.0", ""}));
        window.table()->sortByColumn(value, Qt::DescendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::StandValue), (QStringList{"39.0", "19.2", "6.8", ""}));
        // A header of fewer plots than the tally forms gives no interval: counts.txt's is "n/a".
        window.table()->sortByColumn(low, Qt::DescendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::Low), (QStringList{"27.7", "n/a", "n/a", ""}));
        window.table()->sortByColumn(low, Qt::AscendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::Low), (QStringList{"27.7", "n/a", "n/a", ""}));
        window.table()->sortByColumn(window.model()->columnOf(TractColumn::Problem), Qt::DescendingOrder);
        QCOMPARE(columnTexts(window, TractColumn::Problem),
                 (QStringList{"missing", "1 cell outside its limits", "1 cell outside its limits", ""}));

        auto* filter = window.findChild<QLineEdit*>("filter");
        filter->setText("RIDGE"); // the file name and the stand name
        QCOMPARE(columnTexts(window, TractColumn::File), QStringList{"upland-ridge-stand.txt"});
        filter->setText("compartment"); // the location
        QCOMPARE(columnTexts(window, TractColumn::File), QStringList{"upland-ridge-stand.txt"});
        QCOMPARE(window.findChild<QLabel*>("counts")->text(), QString("1 of 4 stands shown"));
        filter->clear();
        QCOMPARE(window.sortModel()->rowCount(), 4);
    }

    // Enter on a row opens the input dialog with that tally, as an undoable Open.
    void opensAStandIntoTheInputDialog() {
        CMainFrame frame(timbra::timbraProfile());
        QAction* stands = action(frame, "actionStands");
        QVERIFY(stands);
        QCOMPARE(stands->statusTip(), QString("Compare the stands of a tract side by side"));
        stands->trigger();
        TractWindow* window = frame.tractWindow();
        QVERIFY(window && window->isVisible() && !window->isModal());
        loadAll(*window, {Stands + "/counts.txt", Examples + "/upland-ridge-stand.txt"});
        window->table()->sortByColumn(0, Qt::DescendingOrder);
        window->table()->setFocus();
        window->table()->setCurrentIndex(window->table()->model()->index(0, 3));
        QString name;
        int steps = -1;
        whileModal([&] { QTest::keyClick(window->table(), Qt::Key_Return); },
                   [&](QDialog* d) {
                       auto* dialog = qobject_cast<CInputDialog*>(d);
                       name = QString::fromStdString(dialog->grid()->sheet().GetText(3, 2));
                       steps = dialog->undoStack()->count();
                   });
        QCOMPARE(name, QString("Buck Ridge oak stand"));
        QCOMPARE(steps, 1);
    }

    // Cancel stops a load of many stands: those judged stay, the bar goes, nothing is left running.
    void cancelsALargeLoad() {
        QTemporaryDir folder;
        const QByteArray tally = [] {
            QFile f(Examples + "/upland-ridge-stand.txt");
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QStringList paths;
        for (int i = 0; i < 1000; ++i) {
            QFile f(folder.filePath(QString("stand-%1.txt").arg(i)));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(tally) == tally.size());
            paths << f.fileName();
        }
        TractWindow window(timbra::timbraProfile());
        window.show();
        window.addPaths(paths);
        QVERIFY(window.loader()->busy());
        QTRY_VERIFY(window.findChild<QProgressBar*>("progress")->isVisible());
        window.findChild<QPushButton*>("cancelLoading")->click();
        window.addPaths({Stands + "/counts.txt"}); // added after the cancel: judged all the same
        window.loader()->waitForFinished();
        QVERIFY(!window.loader()->busy());
        QVERIFY(window.model()->rowCount() < 1000);
        QVERIFY(window.model()->rowOf(QFileInfo(Stands + "/counts.txt").absoluteFilePath().toStdString()) >=
                0);
        QVERIFY(!window.findChild<QProgressBar*>("progress")->isVisible());
        // The rest can be added afterwards.
        loadAll(window, paths);
        QCOMPARE(window.model()->rowCount(), 1001);
    }

    // A click on a stand's line selects its row; a row selected in the table shows in the chart.
    void chartAndTableSelectTogether() {
        TractWindow window(timbra::timbraProfile());
        window.show();
        loadAll(window,
                {Stands + "/control.txt", Stands + "/counts.txt", Examples + "/upland-ridge-stand.txt"});
        window.table()->sortByColumn(window.model()->columnOf(TractColumn::StandValue), Qt::DescendingOrder);
        TractChart* chart = window.chart();
        QCOMPARE(chart->lines().size(), std::size_t{3});
        QCOMPARE(chart->lines()[0].label, QString("upland-ridge-stand.txt"));
        QTest::mouseClick(chart, Qt::LeftButton, {}, chart->lineRect(2).center());
        QCOMPARE(window.table()->selectionModel()->selectedRows().size(), qsizetype{1});
        QCOMPARE(window.table()->selectionModel()->selectedRows().first().row(), 2);
        window.table()->selectRow(1);
        QVERIFY(chart->lines()[1].selected && !chart->lines()[2].selected);
        QCOMPARE(chart->rowAt(chart->lineRect(1).center().y()), 1);
    }

    // A tally saved anew updates its row; a removed one stays, marked "missing".
    void rowsFollowTheirFiles() {
        QTemporaryDir folder;
        const QString path = folder.filePath("stand.txt");
        QVERIFY(QFile::copy(Stands + "/counts.txt", path));
        TractWindow window(timbra::timbraProfile());
        loadAll(window, {path});
        timbra::Sheet tally = timbra::StandDocument(timbra::timbraProfile()).tally();
        QVERIFY(timbra::loadTallyFile(tally, path.toStdString()).ok);
        tally.SetText(3, 2, "Renamed stand");
        QVERIFY(timbra::saveTallyFile(tally, path.toStdString()).ok);
        QTRY_COMPARE(columnTexts(window, TractColumn::StandName), QStringList{"Renamed stand"});
        QFile::remove(path);
        QTRY_COMPARE(columnTexts(window, TractColumn::Problem), QStringList{"missing"});
        QCOMPARE(columnTexts(window, TractColumn::StandName), QStringList{"Renamed stand"});
    }

    // Save Tract and Open Tract give the same stands; the exports are written and say what they hold.
    void tractFileAndExports() {
        QTemporaryDir folder;
        TractWindow window(timbra::timbraProfile());
        loadAll(window, {Stands + "/counts.txt", Examples + "/upland-ridge-stand.txt"});
        const QString tract = folder.filePath("Forêt 1.tract");
        prompter->fileNames = {tract, folder.filePath("t.csv"), folder.filePath("t.xlsx"),
                               folder.filePath("t.pdf")};
        window.OnSaveTract();
        QFile::copy(Stands + "/counts.txt", folder.filePath("later.txt"));
        TractWindow again(timbra::timbraProfile());
        QVERIFY(again.openTract(tract));
        again.loader()->waitForFinished();
        QCOMPARE(again.model()->rowCount(), 2);
        QVERIFY(again.windowTitle().contains("Forêt 1.tract"));
        again.OnExportCsv();
        again.OnExportWorkbook();
        again.OnExportPdf();
        QCOMPARE(prompter->messages, QStringList());
        QFile csv(folder.filePath("t.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readAll().contains("Buck Ridge oak stand"));
        QVERIFY(QFileInfo(folder.filePath("t.xlsx")).size() > 0);
        const QString text = pdfText(folder.filePath("t.pdf"));
        if (!text.isEmpty()) {
            QVERIFY(text.contains("Timbra - Stands - "));
            QVERIFY(text.contains("Forêt 1.tract"));
            QVERIFY(text.contains("Buck Ridge oak stand"));
        }
        // A failed export says why and leaves nothing behind.
        prompter->fileNames = {folder.filePath("none/t.csv")};
        again.OnExportCsv();
        QCOMPARE(prompter->messages.size(), qsizetype{1});
        QVERIFY(prompter->messages.first().startsWith("The CSV file was not saved."));
    }
};

QTEST_MAIN(TractWindowTest)
#include "TractWindowTest.moc"
