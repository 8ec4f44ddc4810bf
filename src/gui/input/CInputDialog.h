#pragma once

#include "core/model/Objectives.h"
#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CSpreadSheet;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QUndoStack;
class StandEditor;
class TallyRecovery;

namespace timbra {
struct LoadResult;
struct MenuEntry;
struct ProgramProfile;
struct ReferencePage;
class StandDocument;
} // namespace timbra

// The modal dialog in which the user enters one stand: the tally grid, the objective boxes, Run
// with its three result boxes, and a menu bar of spreadsheet commands. The object outlives its
// window: the main view keeps it after exec() returns and reads the last run's results for the
// report. Everything that differs between the programs comes from the profile.
class CInputDialog : public QDialog {
    Q_OBJECT
public:
    explicit CInputDialog(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
    ~CInputDialog() override;

    // The results of the last Run; the reset state until the user runs.
    const timbra::StandResults& results() const;
    // How sure the last Run's plots make its decision, worked out from the tally right after it;
    // nullptr until the user runs.
    const timbra::StandStatistics* statistics() const { return statistics_ ? &*statistics_ : nullptr; }
    CSpreadSheet* grid() const { return grid_; }
    TallyRecovery* recovery() const { return recovery_; }
    // The stand being entered (tally, objective boxes, last Run) and the history of its edits.
    timbra::StandDocument& document() const;
    QUndoStack* undoStack() const;

    // Lays a tally text into the grid as Open does: one undoable step named `stepName`, the cells
    // whose text their editor would refuse marked. All or nothing; the reader's result says why not.
    timbra::LoadResult openTallyText(std::string_view bytes, const std::string& nameForMessages,
                                     const std::string& stepName);

public slots:
    // Objectives and Run (InputDialogRun.cpp)
    void OnRun();
    void OnObjective(int n);
    void OnCellChanged(int col, int row);
    // Lists every message of the last Run, those skipped included.
    void OnRunMessages();
    // Spreadsheet commands (InputDialogCommands.cpp)
    void OnNew();
    void OnClearSpreadsheet();
    void OnOpen();
    void OnSaveAs();
    // A headed tree list, read through the import dialog (InputDialogImport.cpp).
    void OnImport();
    void OnPrint();
    void OnCut();
    void OnCopy();
    void OnPaste();
    // Reference pages opened from the dialog
    void OnObjectiveDescriptions();
    void OnInputHelp();

    // OK and Cancel (and Escape) ask before the tally is given up.
    void accept() override;
    void reject() override;

protected:
    // The close box asks once, then takes the cancel path.
    void closeEvent(QCloseEvent* event) override;
    // Recovery (InputDialogRecovery.cpp): the first showing offers a tally a crashed run left, and
    // losing focus writes the recovery copy.
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void buildMenuBar();
    QAction* undoRedoAction(const timbra::MenuEntry& entry, QMenu* menu);
    void OnInitDialog();
    bool confirmLeaving(const std::string& question);
    void showPage(const timbra::ReferencePage& page);
    void message(const QString& text);
    void offerRecovery();

    // Shows the document's objective boxes: ticks and enabled state.
    void showObjectiveBoxes();
    // Tells what the user should know about an opened file: bytes read as Windows-1252, cells read
    // as typed, cells whose text their editor would refuse (they are marked).
    void reportOpened(const timbra::LoadResult& loaded, const QString& path);

    const timbra::ProgramProfile& profile_;
    std::optional<timbra::StandStatistics> statistics_;
    CSpreadSheet* grid_ = nullptr;
    StandEditor* editor_ = nullptr;
    std::vector<QCheckBox*> objectives_;
    QLineEdit* standValueBox_ = nullptr;
    QLineEdit* decisionBox_ = nullptr;
    QLineEdit* cutoffBox_ = nullptr;
    QPushButton* messagesButton_ = nullptr; // enabled once a Run has messages
    TallyRecovery* recovery_ = nullptr;
    QLabel* recoveryStatus_ = nullptr; // tells once that the recovery copy cannot be written
    bool recoveryOffered_ = false;
    QLabel* decisionLine_ = nullptr; // how sure the decision is, under the boxes
};
