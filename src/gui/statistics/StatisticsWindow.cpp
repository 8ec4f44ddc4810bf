#include "gui/statistics/StatisticsWindow.h"

#include "core/app/ProgramProfile.h"
#include "gui/common/Prompter.h"
#include "gui/common/WindowPlacement.h"
#include "gui/statistics/StatisticsCharts.h"
#include "gui/statistics/StatisticsContent.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QChartView* chartView(QChart* chart, const char* name, QWidget* parent) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 300);
    return view;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

StatisticsWindow::StatisticsWindow(const timbra::ProgramProfile& profile,
                                   const timbra::StandStatistics& statistics,
                                   const timbra::StandResults& results, QWidget* parent)
    : QDialog(parent), profile_(profile), statistics_(statistics), results_(results) {
    setObjectName(QStringLiteral("statisticsWindow"));
    setWindowTitle(tr("Stand Statistics"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const StatisticsContent content =
        statisticsContent(statistics_, results_, QString::fromStdString(profile_.programName));

    // The page scrolls within a window that fits the screen; the buttons stay in view below it.
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    // What the window is about: program, stand, objective, decision, stand value and cut-off.
    auto* stand = new QGridLayout;
    for (int i = 0; i < content.stand.size(); ++i) {
        auto* value = new QLabel(content.stand[i].value, this);
        value->setObjectName(QStringLiteral("stand%1").arg(i));
        value->setTextFormat(Qt::PlainText);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        stand->addWidget(new QLabel(content.stand[i].label + QLatin1Char(':'), this), i / 3, (i % 3) * 2);
        stand->addWidget(value, i / 3, (i % 3) * 2 + 1);
    }
    for (int c = 1; c < 6; c += 2)
        stand->setColumnStretch(c, 1);
    layout->addLayout(stand);
    auto* line = new QLabel(content.decisionLine, this);
    line->setObjectName(QStringLiteral("decisionLine"));
    line->setWordWrap(true);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont lineFont = line->font();
    lineFont.setBold(true);
    lineFont.setPointSizeF(lineFont.pointSizeF() * 1.15);
    line->setFont(lineFont);
    layout->addWidget(line);

    // Left: the figures and the tables; right: the two charts.
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* figures = new QGroupBox(tr("Statistics"), this);
    auto* figureGrid = new QGridLayout(figures);
    const int rows = static_cast<int>((content.figures.size() + 1) / 2);
    for (int i = 0; i < content.figures.size(); ++i) {
        auto* value = new QLabel(content.figures[i].value, figures);
        value->setObjectName(QStringLiteral("figure%1").arg(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figureGrid->addWidget(new QLabel(content.figures[i].label, figures), i % rows, (i / rows) * 2);
        figureGrid->addWidget(value, i % rows, (i / rows) * 2 + 1);
    }
    // The confidence and whether it is settled, each on a row of its own with its full label.
    for (int i = 0; i < content.weighing.size(); ++i) {
        auto* value = new QLabel(content.weighing[i].value, figures);
        value->setObjectName(QStringLiteral("weighing%1").arg(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* label = new QLabel(content.weighing[i].label, figures);
        label->setWordWrap(true);
        figureGrid->addWidget(label, rows + i, 0, 1, 3);
        figureGrid->addWidget(value, rows + i, 3);
    }
    figureGrid->setColumnStretch(1, 1);
    figureGrid->setColumnStretch(3, 1);
    figureGrid->setVerticalSpacing(2);
    left->addWidget(figures);
    if (!content.notes.isEmpty()) {
        auto* notes = new QLabel(content.notes.join('\n'), this);
        notes->setObjectName(QStringLiteral("notes"));
        notes->setWordWrap(true);
        left->addWidget(notes);
    }
    // Each table's share of the height follows its rows.
    left->addWidget(makeTable("standTable", content.standTable, true),
                    static_cast<int>(content.standTable.rows.size()) + 1);
    left->addWidget(makeTable("speciesTable", content.species, false),
                    static_cast<int>(content.species.rows.size()) + 1);
    body->addLayout(left, 1);

    auto* charts = new QVBoxLayout;
    plotValueChart_ = chartView(makePlotValueChart(statistics_, results_), "plotValueChart", this);
    standTableChart_ = chartView(makeStandTableChart(statistics_), "standTableChart", this);
    charts->addWidget(plotValueChart_);
    charts->addWidget(standTableChart_);
    body->addLayout(charts, 1);
    layout->addLayout(body, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("page"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    auto* window = new QVBoxLayout(this);
    window->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    auto* print = button(tr("Print"), "print", this);
    connect(print, &QPushButton::clicked, this, &StatisticsWindow::OnPrint);
    auto* pdf = button(tr("Export PDF..."), "exportPdf", this);
    connect(pdf, &QPushButton::clicked, this, &StatisticsWindow::OnExportPdf);
    auto* close = button(tr("Close"), "close", this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addWidget(close);
    window->addLayout(buttons);

    close->setFocus();
    placeOnScreen(this, QSize(1220, 900), parent); // the size the page wants
}

QTableWidget* StatisticsWindow::makeTable(const char* name, const StatisticsTable& table, bool lastIsTotal) {
    auto* widget =
        new QTableWidget(static_cast<int>(table.rows.size()), static_cast<int>(table.headings.size()), this);
    widget->setObjectName(QLatin1String(name));
    widget->setHorizontalHeaderLabels(table.headings);
    widget->verticalHeader()->hide();
    widget->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    widget->verticalHeader()->setDefaultSectionSize(widget->fontMetrics().height() + 6);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget->setSelectionMode(QAbstractItemView::ContiguousSelection);
    QFont bold = widget->font();
    bold.setBold(true);
    for (int r = 0; r < table.rows.size(); ++r)
        for (int c = 0; c < table.headings.size(); ++c) {
            auto* item = new QTableWidgetItem(table.rows[r].value(c));
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (lastIsTotal && r == table.rows.size() - 1) item->setFont(bold);
            widget->setItem(r, c, item);
        }
    widget->resizeColumnsToContents();
    return widget;
}

void StatisticsWindow::message(const QString& text) {
    Prompter::current().message(this, QString::fromStdString(profile_.appName), text);
}
