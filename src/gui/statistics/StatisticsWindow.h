#pragma once

#include "core/model/StandResults.h"
#include "core/statistics/StandStatistics.h"

#include <QDialog>

class QChartView;
class QTableWidget;
struct StatisticsTable;

namespace timbra {
struct ProgramProfile;
}

// The Stand Statistics window: how sure the last run's plots make its decision (the decision line
// and the figures), the plot values against the mean, the 95% interval and the cut-off, and the
// stand and species tables with the trees per acre by diameter class. It holds its own copy of
// the run's figures; Print and Export PDF paint the same page (StatisticsPage).
class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(const timbra::ProgramProfile& profile, const timbra::StandStatistics& statistics,
                     const timbra::StandResults& results, QWidget* parent = nullptr);

    QChartView* plotValueChart() const { return plotValueChart_; }
    QChartView* standTableChart() const { return standTableChart_; }

public slots:
    // Prints the page through the print dialog; a cancelled dialog prints nothing and says nothing.
    void OnPrint();
    // Asks for a file name and writes the page as a PDF; a failure is told with the file and reason.
    void OnExportPdf();

private:
    QWidget* makeFigures();
    QTableWidget* makeTable(const char* name, const StatisticsTable& table, bool lastIsTotal);
    void message(const QString& text);

    const timbra::ProgramProfile& profile_;
    const timbra::StandStatistics statistics_;
    const timbra::StandResults results_;
    QChartView* plotValueChart_ = nullptr;
    QChartView* standTableChart_ = nullptr;
};
