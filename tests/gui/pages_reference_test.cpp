// The reference pages: both opened from the input dialog, and the page of static texts.
#include "app/ReferencePageDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/CInputDialog.h"
#include "input_test_prompter.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using timbra::ProgramProfile;

namespace {

const ProgramProfile& profileOf(const QString& model) {
    return *timbra::profileForModel(model.toStdString());
}

// Every text of a sheet, one cell a line.
QString allText(const timbra::Sheet& sheet) {
    QString text;
    for (int row = 1; row <= sheet.GetMaxRows(); ++row)
        for (int col = 1; col <= sheet.GetMaxCols(); ++col)
            text += QString::fromStdString(sheet.GetText(col, row)) + '\n';
    return text;
}

struct SeenPage {
    QString title, okText, text;
    QWidget* parent = nullptr;
    bool hasPrint = false;
    bool printed = false;
};

// Looks at the page the dialog opens, prints it twice where it can, and closes it with OK.
void inspectNextPage(SeenPage& seen, TestPrompter& prompter) {
    QTimer::singleShot(0, [&] {
        auto* page = qobject_cast<ReferencePageDialog*>(QApplication::activeModalWidget());
        QVERIFY(page);
        seen.title = page->windowTitle();
        seen.parent = page->parentWidget();
        seen.text = allText(page->grid()->sheet());
        auto* ok = page->findChild<QPushButton*>(QStringLiteral("ok"));
        seen.okText = ok->text();
        auto* print = page->findChild<QPushButton*>(QStringLiteral("print"));
        seen.hasPrint = print != nullptr;
        if (print) {
            print->click();
            seen.printed = QFileInfo(prompter.pdfPath).size() > 0;
            print->click();
            QVERIFY(page->isVisible());
        }
        ok->click();
    });
}

} // namespace

class ReferencePagesTest : public QObject {
    Q_OBJECT
private slots:
    void pagesOfTheInputDialog_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("content");
        QTest::newRow("upland descriptions") << "upland" << false << "Sugar maple is \"Unacceptable\"";
        QTest::newRow("upland help") << "upland" << true << "Header Information";
        QTest::newRow("bottomland descriptions") << "bottomland" << false << "SWG";
        QTest::newRow("bottomland help") << "bottomland" << true << "CLEAR SPREADSHEET:";
    }
    void pagesOfTheInputDialog() {
        QFETCH(QString, model);
        QFETCH(bool, help);
        QFETCH(QString, content);
        const ProgramProfile& profile = profileOf(model);
        const timbra::ReferencePage& page = help ? profile.inputHelp : profile.objectiveDescriptions;
        QTemporaryDir dir;
        TestPrompter prompter;
        prompter.pdfPath = dir.filePath(QStringLiteral("page.pdf"));
        CInputDialog dialog(profile);
        dialog.show();

        SeenPage seen;
        inspectNextPage(seen, prompter);
        if (help)
            dialog.OnInputHelp();
        else
            dialog.OnObjectiveDescriptions();
        QCOMPARE(seen.title, QString::fromStdString(page.title));
        QCOMPARE(seen.parent, &dialog);
        QCOMPARE(seen.okText, QString::fromStdString(page.okText));
        QVERIFY2(seen.text.contains(content), qPrintable(content));
        QCOMPARE(seen.hasPrint, page.printId != 0);
        QCOMPARE(seen.printed, page.printId != 0);
        QCOMPARE(prompter.printRequests, page.printId != 0 ? 2 : 0);

        // Each opening restores the stored page afresh.
        SeenPage again;
        inspectNextPage(again, prompter);
        dialog.OnObjectiveDescriptions();
        QCOMPARE(again.text, allText(profile.loadPage(profile.objectiveDescriptions)));
    }

    void inputHelpFromTheMenu() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        TestPrompter prompter;
        CInputDialog dialog(profile);
        dialog.show();
        SeenPage seen;
        inspectNextPage(seen, prompter);
        dialog.findChild<QAction*>(QStringLiteral("action%1").arg(profile.inputHelpId))->trigger();
        QCOMPARE(seen.okText, QStringLiteral("Exit Help"));
    }

    // A page without a grid shows its stored texts in a titled group box.
    void staticTextPage() {
        const ProgramProfile& profile = timbra::lowtimbraProfile();
        ReferencePageDialog page(profile, profile.gettingStarted);
        QCOMPARE(page.grid(), nullptr);
        QCOMPARE(page.findChild<QPushButton*>(QStringLiteral("print")), nullptr);
        auto* group = page.findChild<QGroupBox*>(QStringLiteral("texts"));
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Starting Timbra V1.1"));
        QStringList lines;
        for (auto* label : group->findChildren<QLabel*>())
            lines << label->text();
        QVERIFY(lines.contains(QStringLiteral("INPUTTING STAND DATA:")));
        QVERIFY(lines.contains(QStringLiteral("VIEWING RESULTS:")));
    }
};

QTEST_MAIN(ReferencePagesTest)
#include "pages_reference_test.moc"
