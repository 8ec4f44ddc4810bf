#pragma once

#include "core/import/SavedMappings.h"
#include "core/import/TallyImporter.h"

#include <QDialog>

#include <memory>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

// Shows how a headed tree list will read before anything changes: the column each tally field comes
// from (or a fixed value, or nothing), the list entry each code becomes, the units, the stand column,
// a preview of the first rows as they will read in the grid, and the audit of every row or value
// refused, changed or left out. The choices can be saved under a name, offered again for a file with
// the same header, and exported or imported as a file. The dialog changes nothing itself: its caller
// takes the result on OK (one stand into the grid, or every stand written as a tally).
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { OneStand, ManyStands };

    ImportDialog(const timbra::ProgramProfile& profile, std::string path, timbra::SourceTable table,
                 Purpose purpose, QWidget* parent = nullptr,
                 timbra::SavedMappings saved = timbra::SavedMappings(timbra::SavedMappings::defaultFolder()));

    // Asks for a tree list, reads it and shows the dialog over it: the dialog once accepted, else
    // none (cancelled, or the file unread with the reason in `failure`). `path` gets the file's name.
    static std::unique_ptr<ImportDialog> askForTreeList(const timbra::ProgramProfile& profile,
                                                        Purpose purpose, QWidget* parent, std::string& path,
                                                        QString& failure);

    const timbra::ImportMapping& mapping() const { return mapping_; }
    const timbra::ImportResult& result() const { return result_; }
    // The stand chosen to go into the grid; nullptr when it is left out or the file holds none.
    const timbra::ImportedStand* chosenStand() const;

    // The combo box that holds what a list field's source value becomes (tests drive it).
    QComboBox* valueBox(timbra::Field field, const QString& value) const;
    QComboBox* sourceBox(timbra::Field field) const;

private:
    void buildControls();
    QWidget* buildMappingControls();
    // Shows the whole mapping in the controls (after a guess, a re-read or a loaded mapping).
    void showMapping();
    void showValues();
    // Imports again by the current mapping and shows the preview and the audit.
    void refresh();
    void showPreview();
    void showAudit();
    void readAgain(char delimiter);
    void applyMapping(timbra::ImportMapping mapping);

    void onSourceChosen(timbra::Field field);
    void onSave();
    void onExport();
    void onImportFile();
    void onSavedChosen(int index);
    void message(const QString& text);

    timbra::TallyImporter importer_;
    std::string path_;
    timbra::SourceTable table_;
    Purpose purpose_;
    timbra::SavedMappings saved_;
    timbra::ImportMapping mapping_;
    timbra::ImportResult result_;
    bool showing_ = false; // controls are being filled: their signals change nothing

    QComboBox* delimiter_ = nullptr;
    QComboBox* standColumn_ = nullptr;
    QComboBox* stand_ = nullptr;
    QComboBox* dbhUnit_ = nullptr;
    QComboBox* heightUnit_ = nullptr;
    QComboBox* savedMappings_ = nullptr;
    QLineEdit* mappingName_ = nullptr;
    QTableWidget* fields_ = nullptr;
    QTableWidget* values_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QPlainTextEdit* audit_ = nullptr;
    QLabel* notice_ = nullptr;
    std::vector<timbra::Field> fieldRows_; // the field of each row of fields_
    struct ValueRow {
        timbra::Field field;
        std::string value;
    };
    std::vector<ValueRow> valueRows_; // the field and source value of each row of values_
};
