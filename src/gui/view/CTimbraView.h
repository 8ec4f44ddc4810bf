#pragma once

#include "core/app/StandDocument.h"

#include <QWidget>

#include <optional>

namespace timbra {
struct ProgramProfile;
struct ReferencePage;
} // namespace timbra

class CSpreadSheet;

// The main window's view: covered edge to edge by the read-only report sheet, and holder of the
// last Run of the latest Input data command. The sheet is blank until the user asks for results
// and a run has set a cut-off; it then shows the stand analysis of that run.
class CTimbraView : public QWidget {
    Q_OBJECT
public:
    explicit CTimbraView(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
    ~CTimbraView() override;

    // Lays a fresh report sheet over the view; runs at creation and again for New and Open,
    // which leave the dialog and the "show results" state as they are.
    void OnInitialUpdate();

    CSpreadSheet* grid() const { return reportGrid; }
    // The last Run of the latest Input data command, with its statistics; nullptr when that dialog
    // was left without a Run.
    const timbra::StandRun* lastRun() const { return lastRun_ ? &*lastRun_ : nullptr; }
    // A run with plots is held, so Stand Statistics has something to show.
    bool hasStatistics() const;
    // Input data with a tally file opened in the dialog, as its Open command would (the Stands
    // window's rows open this way).
    void openInputData(const QString& tallyPath);

signals:
    // Input data has ended: the held run, and with it Stand Statistics, may have changed.
    void resultsChanged();

public slots:
    void OnInputData();
    void OnViewResults();
    void OnPrintResults();
    void OnStandStatistics();
    void OnGettingStarted();
    void OnFieldInstructions();
    void OnFieldDataSheet();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateReportGrid();
    void FillReport();
    void openPage(const timbra::ReferencePage& page);

    const timbra::ProgramProfile& profile_;
    std::optional<timbra::StandRun> lastRun_;
    CSpreadSheet* reportGrid = nullptr; // a child widget: the view owns it
    bool resultsShown_ = false;         // View Results was chosen since the last Input data
    bool filled_ = false;               // the sheet already shows the held results
};
