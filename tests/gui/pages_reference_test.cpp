// The reference pages: the two the input dialog opens, and the page of static texts.
#include "app/ReferencePageDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"
#include "input/CInputDialog.h"
#include "input_test_prompter.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class ReferencePagesTest : public QObject {
    Q_OBJECT
private slots:
    void pagesOfTheInputDialog_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("content");
        QTest::newRow("upland descriptions") << "upland" << false << "Sugar maple is \"Unacceptable\"";
        QTest::newRow("upland help") << "upland" << true << "Header Information";
        QTest::newRow("bottomland descriptions") << "bottomland" << false << "Objective 3:";
        QTest::newRow("bottomland help") << "bottomland" << true << "CLEAR SPREADSHEET:";
    }
    // Opens the page from its menu item or button, checks it, prints it twice where it can.
    void pagesOfTheInputDialog() {
        QFETCH(QString, model);
        QFETCH(bool, help);
        QFETCH(QString, content);
        const timbra::ProgramProfile& profile = *timbra::profileForModel(model.toStdString());
        const timbra::ReferencePage& page = help ? profile.inputHelp : profile.objectiveDescriptions;
        QTemporaryDir dir;
        TestPrompter prompter;
        prompter.pdfPath = dir.filePath(QStringLiteral("page.pdf"));
        CInputDialog dialog(profile);
        dialog.show();

        QString seen;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<ReferencePageDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            QCOMPARE(shown->parentWidget(), &dialog);
            QString all;
            const timbra::Sheet& sheet = shown->grid()->sheet();
            for (int row = 1; row <= sheet.GetMaxRows(); ++row)
                for (int col = 1; col <= sheet.GetMaxCols(); ++col)
                    all += QString::fromStdString(sheet.GetText(col, row)) + '\n';
            auto* ok = shown->findChild<QPushButton*>(QStringLiteral("ok"));
            seen = shown->windowTitle() + '|' + ok->text() + '|' +
                   (all.contains(content) ? "content" : "missing");
            if (auto* print = shown->findChild<QPushButton*>(QStringLiteral("print"))) {
                print->click();
                QVERIFY(QFileInfo(prompter.pdfPath).size() > 0);
                print->click();
            }
            QVERIFY(shown->isVisible());
            ok->click();
        });
        if (help)
            dialog.findChild<QAction*>(QStringLiteral("action%1").arg(profile.inputHelpId))->trigger();
        else
            dialog.findChild<QPushButton*>(QStringLiteral("objectiveDescriptions"))->click();
        QCOMPARE(seen, QString::fromStdString(page.title + '|' + page.okText + '|') + "content");
        QCOMPARE(prompter.printRequests, page.printId != 0 ? 2 : 0);
    }

    // A page without a grid shows its stored texts in a titled group box.
    void staticTextPage() {
        const timbra::ProgramProfile& profile = timbra::lowtimbraProfile();
        ReferencePageDialog page(profile, profile.gettingStarted);
        QCOMPARE(page.grid(), nullptr);
        QCOMPARE(page.findChild<QPushButton*>(QStringLiteral("print")), nullptr);
        auto* group = page.findChild<QGroupBox*>(QStringLiteral("texts"));
        QCOMPARE(group->title(), QStringLiteral("Starting Timbra V1.1"));
        QStringList lines;
        for (auto* label : group->findChildren<QLabel*>())
            lines << label->text();
        QCOMPARE(lines.first(), QStringLiteral("INPUTTING STAND DATA:"));
        QVERIFY(lines.contains(QStringLiteral("VIEWING RESULTS:")));
    }
};

QTEST_MAIN(ReferencePagesTest)
#include "pages_reference_test.moc"
