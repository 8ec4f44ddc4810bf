#pragma once

#include "core/model/StandResults.h"

#include <QWidget>

#include <optional>
#include <vector>

class QAbstractItemModel;
class QItemSelectionModel;
class QPainter;
class TractModel;

// One stand's line in the chart: its mean plot value, 95% interval and threshold under the chosen
// objective, coloured by its decision.
struct TractChartLine {
    QString label;
    std::optional<double> mean, low, high, threshold;
    timbra::Decision decision = timbra::Decision::None;
    bool settled = false;
    bool selected = false;
};

// The value axis of the chart: every line's interval, mean and threshold in view.
struct TractChartScale {
    double low = 0, high = 1;
    static TractChartScale of(const std::vector<TractChartLine>& lines);
};

// Paints lines [first, first + count) one under another in `rect`, under the axis's values when
// `axis`; the window and the PDF report share it. `lineHeight` is in the painter's units.
void paintTractChart(QPainter& painter, const QRectF& rect, const std::vector<TractChartLine>& lines,
                     std::size_t first, std::size_t count, const TractChartScale& scale, double lineHeight,
                     bool axis);
// The height of the axis band above the lines, for a line height.
double tractChartAxisHeight(double lineHeight);

// How sure each decision is, at a glance: one line per stand in the table's order (the sorted and
// filtered view), the interval lighter and hatched where the decision is not settled. A click on
// a line selects its stand in the table, and the table's selection shows here.
class TractChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int LineHeight = 18;

    TractChart(const QAbstractItemModel& view, const TractModel& model, QItemSelectionModel& selection,
               QWidget* parent = nullptr);

    // The lines as shown, in the view's order.
    const std::vector<TractChartLine>& lines() const { return lines_; }
    // The view row of the line at y, -1 for none.
    int rowAt(int y) const;
    // Where the line of a view row lies, for scrolling it into view.
    QRect lineRect(int row) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void changed();
    void selectionChanged();
    std::vector<TractChartLine> collectLines() const;

    const QAbstractItemModel& view_;
    const TractModel& model_;
    QItemSelectionModel& selection_;
    std::vector<TractChartLine> lines_;
    TractChartScale scale_;
};
