#pragma once

#include <QWidget>

#include <memory>

namespace timbra {
struct ProgramProfile;
struct ReferencePage;
} // namespace timbra

class CInputDialog;
class CSpreadSheet;

// The main window's view: covered edge to edge by the read-only report sheet, and owner of the
// input dialog from one Input data command to the next. The sheet is blank until the user asks
// for results and a run has set a cut-off; it then shows the stand analysis of that run.
class CTimbraView : public QWidget {
    Q_OBJECT
public:
    explicit CTimbraView(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
    ~CTimbraView() override;

    // Lays a fresh report sheet over the view; runs at creation and again for New and Open,
    // which leave the dialog and the "show results" state as they are.
    void OnInitialUpdate();

    CSpreadSheet* grid() const { return reportGrid; }
    // The dialog of the last Input data command, kept with its results after it closed.
    CInputDialog* dialog() const { return inputDialog.get(); }
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
    std::unique_ptr<CInputDialog> inputDialog;
    CSpreadSheet* reportGrid = nullptr; // a child widget: the view owns it
    // Whether View Results was chosen since the last Input data, kept as the values below.
    static constexpr int ResultsShown = -1, ResultsNotShown = 0;
    int showResults = ResultsNotShown;
    bool filled_ = false; // the sheet already shows the held results
};
