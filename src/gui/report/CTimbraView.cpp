#include "gui/view/CTimbraView.h"

#include "core/app/ProgramProfile.h"
#include "core/report/ReportContent.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/CInputDialog.h"
#include "gui/pages/ReferencePageDialog.h"
#include "gui/statistics/StatisticsWindow.h"

#include <QResizeEvent>

CTimbraView::CTimbraView(const timbra::ProgramProfile& profile, QWidget* parent)
    : QWidget(parent), profile_(profile) {
    setObjectName("reportView");
    OnInitialUpdate();
}

CTimbraView::~CTimbraView() = default;

void CTimbraView::OnInitialUpdate() {
    CreateReportGrid();
    FillReport();
}

void CTimbraView::CreateReportGrid() {
    if (!reportGrid) {
        reportGrid = new CSpreadSheet(this);
        reportGrid->setObjectName("reportGrid");
        reportGrid->setReadOnly(true);
    }
    timbra::Sheet sheet;
    timbra::setUpReportSheet(sheet);
    reportGrid->setSheet(std::move(sheet));
    reportGrid->setGeometry(rect());
    filled_ = false;
}

void CTimbraView::OnInputData() {
    showResults = ResultsNotShown;
    timbra::clearReport(reportGrid->sheet());
    reportGrid->refresh();
    filled_ = false;
    // The previous dialog goes first, with its tally and results.
    inputDialog.reset();
    inputDialog = std::make_unique<CInputDialog>(profile_);
    inputDialog->exec();
    emit resultsChanged();
}

bool CTimbraView::hasStatistics() const {
    const timbra::StandStatistics* statistics = inputDialog ? inputDialog->statistics() : nullptr;
    // A header below the tally still opens the window, which says what is wrong with it.
    return statistics && statistics->sampling.plotsFormed > 0;
}

void CTimbraView::OnStandStatistics() {
    if (!hasStatistics()) return;
    StatisticsWindow window(profile_, *inputDialog->statistics(), inputDialog->results(), this);
    window.exec();
}

void CTimbraView::OnViewResults() {
    showResults = ResultsShown;
    // Filled here rather than from a paint event: the grid covers the view, so the view itself
    // may never be asked to paint.
    FillReport();
    update();
}

// The results cannot change while they are shown (a new run needs a new Input data command,
// which blanks the sheet first), so one fill serves every later repaint.
void CTimbraView::FillReport() {
    const timbra::StandResults* results = inputDialog ? &inputDialog->results() : nullptr;
    if (filled_ || !timbra::reportGatePasses(results, showResults == ResultsShown)) return;
    timbra::fillReport(reportGrid->sheet(), *results, profile_.hasProvince);
    reportGrid->refresh();
    filled_ = true;
}

void CTimbraView::OnPrintResults() {
    // The report prints as the form it is, scaled to the page's width.
    reportGrid->sheet().SetProperty(timbra::Sheet::PrintAsFormProperty, 1);
    reportGrid->SetPrintRange(0);
    reportGrid->PrintSheet();
}

void CTimbraView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (reportGrid) reportGrid->setGeometry(QRect(QPoint(0, 0), event->size()));
}

void CTimbraView::openPage(const timbra::ReferencePage& page) {
    // A local dialog each time, so every opening shows the stored content afresh.
    ReferencePageDialog dialog(profile_, page, this);
    dialog.exec();
}

void CTimbraView::OnGettingStarted() {
    openPage(profile_.gettingStarted);
}
void CTimbraView::OnFieldInstructions() {
    openPage(profile_.fieldInstructions);
}
void CTimbraView::OnFieldDataSheet() {
    openPage(profile_.fieldDataSheet);
}
