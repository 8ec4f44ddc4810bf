// The import dialog over the example cruise: the guesses it shows, a value map changed by the user,
// and through the input dialog's Import...: Cancel changes nothing, OK lays the stand in as one
// undoable step with its refused cells marked.
#include "gui/import/ImportDialog.h"
#include "core/app/StandDocument.h"
#include "gui/GuiTestSupport.h"
#include "gui/grid/CellLook.h"

#include <QUndoStack>

using namespace timbra;

namespace {
const QString Cruise = QStringLiteral(TIMBRA_EXAMPLES "/pine-knob-cruise.csv");

SourceTable cruiseTable() {
    SourceRead read = readSourceFile(Cruise.toStdString());
    return std::move(read.table);
}
} // namespace

class ImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(config_.isValid()); }

    void showsTheGuesses() {
        ImportDialog d(timbraProfile(), Cruise.toStdString(), cruiseTable(), ImportDialog::Purpose::OneStand,
                       nullptr, SavedMappings(config_.path().toStdString()));
        QCOMPARE(d.sourceBox(Field::Dbh)->currentText(), QStringLiteral("Column DBH_CM"));
        QCOMPARE(d.sourceBox(Field::TreeClass)->currentText(), QStringLiteral("Column RISK"));
        QCOMPARE(d.sourceBox(Field::Location)->currentText(), QStringLiteral("Nothing"));
        QCOMPARE(d.findChild<QComboBox*>("dbhUnit")->currentText(), QStringLiteral("centimetres"));
        QCOMPARE(d.findChild<QComboBox*>("heightUnit")->currentText(), QStringLiteral("feet"));
        QCOMPARE(d.findChild<QComboBox*>("standColumn")->currentText(), QStringLiteral("STAND"));
        QCOMPARE(d.findChild<QComboBox*>("stand")->count(), 3);
        QCOMPARE(d.valueBox(Field::SpeciesClass, "D")->currentText(), QStringLiteral("Desirable"));
        QCOMPARE(d.valueBox(Field::CrownClass, "1")->currentText(), QStringLiteral("(as read)"));
        // A crown class left as read is refused with the words typing gives, and marked in the preview.
        const QString audit = d.findChild<QPlainTextEdit*>("audit")->toPlainText();
        QVERIFY2(
            audit.contains("row 2, Pine Knob North, Crown Class: \"1\" -> \"1\": refused. Not accepted here: "
                           "this cell takes one of \"Dominant\""),
            qPrintable(audit));
        QCOMPARE(d.findChild<QTableWidget*>("preview")->item(5, 8)->background().color(), markedBackground());
    }

    void aValueMapChangeReadsAgain() {
        ImportDialog d(timbraProfile(), Cruise.toStdString(), cruiseTable(), ImportDialog::Purpose::OneStand,
                       nullptr, SavedMappings(config_.path().toStdString()));
        QComboBox* one = d.valueBox(Field::CrownClass, "1");
        one->setCurrentIndex(one->findText("Dominant"));
        QCOMPARE(d.mapping().values.at(Field::CrownClass).at("1"), std::string("Dominant"));
        QCOMPARE(d.findChild<QTableWidget*>("preview")->item(5, 8)->text(), QStringLiteral("Dominant"));
        QVERIFY(!d.findChild<QPlainTextEdit*>("audit")->toPlainText().contains("Crown Class: \"1\""));
        // Saved under a name, the mapping is offered again for a file with the same header.
        d.findChild<QLineEdit*>("mappingName")->setText("Pine Knob");
        d.findChild<QPushButton*>("saveMapping")->click();
        ImportDialog again(timbraProfile(), Cruise.toStdString(), cruiseTable(),
                           ImportDialog::Purpose::OneStand, nullptr,
                           SavedMappings(config_.path().toStdString()));
        QCOMPARE(again.valueBox(Field::CrownClass, "1")->currentText(), QStringLiteral("Dominant"));
    }

    // Export writes the mapping as a file a crew can share, Import reads it back into another dialog;
    // the file's own delimiter and the stand column can be changed.
    void mappingsExportImportAndReadAgain() {
        TestPrompter prompter;
        const QString shared = config_.filePath("shared.json");
        ImportDialog d(timbraProfile(), Cruise.toStdString(), cruiseTable(),
                       ImportDialog::Purpose::ManyStands, nullptr,
                       SavedMappings(config_.filePath("none").toStdString()));
        QComboBox* three = d.valueBox(Field::CrownClass, "3");
        three->setCurrentIndex(three->findText("Leave empty"));
        d.findChild<QComboBox*>("heightUnit")->setCurrentIndex(2);
        prompter.fileNames << shared;
        d.findChild<QPushButton*>("exportMapping")->click();
        QVERIFY(QFile::exists(shared));

        ImportDialog other(timbraProfile(), Cruise.toStdString(), cruiseTable(),
                           ImportDialog::Purpose::ManyStands, nullptr,
                           SavedMappings(config_.filePath("none").toStdString()));
        prompter.fileNames << shared;
        other.findChild<QPushButton*>("importMapping")->click();
        QCOMPARE(other.mapping().values.at(Field::CrownClass).at("3"), std::string());
        QCOMPARE(other.mapping().heightUnit, HeightUnit::Metres);
        QCOMPARE(other.valueBox(Field::CrownClass, "3")->currentText(), QStringLiteral("Leave empty"));

        other.findChild<QComboBox*>("standColumn")->setCurrentIndex(0);
        QCOMPARE(other.result().stands.size(), std::size_t{1});
        QCOMPARE(other.result().stands[0].treesRead, 30);
        other.findChild<QComboBox*>("delimiter")->setCurrentIndex(2); // semicolons: one column
        QCOMPARE(other.result().stands.size(), std::size_t{1});
        QCOMPARE(other.sourceBox(Field::Dbh)->currentText(), QStringLiteral("Nothing"));
        QVERIFY(prompter.messages.isEmpty());
    }

    void cancelChangesNothingAndOkIsOneUndoStep() {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        TestPrompter prompter;
        CInputDialog input(timbraProfile());
        const QString before = sheetText(input.grid()->sheet());
        const int steps = input.undoStack()->count();
        prompter.fileNames << Cruise;
        whileModal([&] { action(input, "actionImport")->trigger(); },
                   [](QDialog* d) {
                       d->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Cancel)->click();
                   });
        QCOMPARE(sheetText(input.grid()->sheet()), before);
        QCOMPARE(input.undoStack()->count(), steps);

        // OK by the example's own mapping: the grid then holds exactly the tally the command line writes.
        prompter.fileNames << Cruise << QStringLiteral(TIMBRA_EXAMPLES "/pine-knob-cruise.mapping.json");
        whileModal([&] { action(input, "actionImport")->trigger(); },
                   [](QDialog* d) {
                       d->findChild<QPushButton*>("importMapping")->click();
                       d->findChild<QComboBox*>("stand")->setCurrentIndex(1);
                       d->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
                   });
        const Sheet& tally = input.grid()->sheet();
        QCOMPARE(QString::fromStdString(tally.GetText(3, 2)), QStringLiteral("Pine Knob South"));
        QCOMPARE(QString::fromStdString(tally.GetText(10, 2)), QStringLiteral("3"));
        QCOMPARE(input.undoStack()->count(), steps + 1);
        QCOMPARE(input.undoStack()->undoText(), QStringLiteral("Import"));
        QFile shipped(QStringLiteral(TIMBRA_EXAMPLES "/pine-knob-tallies/Pine Knob South.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QCOMPARE(QByteArray::fromStdString(formatTallyText(input.document().tally())), shipped.readAll());
        QVERIFY2(prompter.messages.join(' ').contains("marked"), qPrintable(prompter.messages.join(' ')));
        input.undoStack()->undo();
        QCOMPARE(sheetText(input.grid()->sheet()), before);
    }

private:
    QTemporaryDir config_;
};

QTEST_MAIN(ImportDialogTest)
#include "ImportDialogTest.moc"
