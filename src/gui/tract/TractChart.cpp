#include "gui/tract/TractChart.h"

#include "gui/common/QtString.h"
#include "gui/tract/TractModel.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QSortFilterProxyModel>

#include <algorithm>
#include <cmath>

namespace {

QColor decisionColor(timbra::Decision decision, bool settled) {
    QColor c = decision == timbra::Decision::Manage       ? QColor(46, 125, 50)
               : decision == timbra::Decision::Regenerate ? QColor(198, 40, 40)
                                                          : QColor(120, 120, 120);
    return settled ? c : c.lighter(150);
}

// A round step for the axis ticks: 1, 2 or 5 times a power of ten, about `count` steps to the span.
double tickStep(double span, int count) {
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

} // namespace

TractChartScale TractChartScale::of(const std::vector<TractChartLine>& lines) {
    // The means and thresholds set the axis; an interval of a stand with few plots can be many
    // times wider than the others, so intervals widen it by at most half that span each way and
    // are cut at its ends.
    double low = 0, high = 0;
    bool any = false;
    auto widen = [&](double v, double& l, double& h) {
        l = any ? std::min(l, v) : v;
        h = any ? std::max(h, v) : v;
        any = true;
    };
    for (const TractChartLine& l : lines)
        for (const auto& v : {l.mean, l.threshold})
            if (v && std::isfinite(*v)) widen(*v, low, high);
    if (!any) return {0, 1};
    const double room = std::max(10.0, (high - low) / 2);
    const double outerLow = low - room, outerHigh = high + room;
    for (const TractChartLine& l : lines) {
        if (l.low && std::isfinite(*l.low)) low = std::min(low, std::max(*l.low, outerLow));
        if (l.high && std::isfinite(*l.high)) high = std::max(high, std::min(*l.high, outerHigh));
    }
    const double pad = (high - low) * 0.03;
    return {low - pad, high + pad};
}

double tractChartAxisHeight(double lineHeight) {
    return lineHeight * 1.5;
}

void paintTractChart(QPainter& painter, const QRectF& rect, const std::vector<TractChartLine>& lines,
                     std::size_t first, std::size_t count, const TractChartScale& scale, double lineHeight,
                     bool axis) {
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(lineHeight * 0.6)));
    painter.setFont(font);
    const double labelWidth = std::min(rect.width() * 0.3, lineHeight * 14);
    const QRectF plot(rect.left() + labelWidth, rect.top(), rect.width() - labelWidth - lineHeight,
                      rect.height());
    // An interval reaching past the axis is cut at its end.
    auto x = [&](double v) {
        return plot.left() +
               (std::clamp(v, scale.low, scale.high) - scale.low) / (scale.high - scale.low) * plot.width();
    };
    const double step = tickStep(scale.high - scale.low, 6);
    const double firstTick = std::ceil(scale.low / step) * step;

    // The axis: round values along the top.
    const double axisHeight = axis ? tractChartAxisHeight(lineHeight) : 0;
    painter.setPen(Qt::black);
    if (axis)
        for (double v = firstTick; v <= scale.high; v += step)
            painter.drawText(QRectF(x(v) - 3 * lineHeight, rect.top(), 6 * lineHeight, axisHeight * 0.8),
                             Qt::AlignHCenter | Qt::AlignBottom,
                             QString::number(std::abs(v) < step / 2 ? 0 : v));

    for (std::size_t i = first; i < std::min(lines.size(), first + count); ++i) {
        const TractChartLine& l = lines[i];
        const double top = rect.top() + axisHeight + lineHeight * static_cast<double>(i - first);
        const QRectF band(rect.left(), top, rect.width(), lineHeight);
        if (l.selected) painter.fillRect(band, QColor(48, 140, 198, 60));
        painter.setPen(QColor(215, 215, 215));
        for (double v = firstTick; v <= scale.high; v += step)
            painter.drawLine(QPointF(x(v), top), QPointF(x(v), top + lineHeight));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(rect.left() + 2, top, labelWidth - 4, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(l.label, Qt::ElideMiddle, static_cast<int>(labelWidth - 4)));
        const QColor color = decisionColor(l.decision, l.settled);
        if (l.low && l.high) {
            const QRectF interval(QPointF(x(*l.low), top + lineHeight * 0.25),
                                  QPointF(x(*l.high), top + lineHeight * 0.75));
            painter.fillRect(interval, color);
            if (!l.settled) painter.fillRect(interval, QBrush(Qt::white, Qt::BDiagPattern));
            painter.setPen(QPen(color.darker(130), 0));
            painter.drawRect(interval);
        }
        if (l.mean) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(color.darker(140));
            painter.drawEllipse(QPointF(x(*l.mean), top + lineHeight / 2), lineHeight * 0.2,
                                lineHeight * 0.2);
            painter.setBrush(Qt::NoBrush);
        }
        if (l.threshold) {
            painter.setPen(QPen(Qt::black, std::max(1.0, lineHeight / 9)));
            painter.drawLine(QPointF(x(*l.threshold), top + 1),
                             QPointF(x(*l.threshold), top + lineHeight - 1));
        }
    }
    painter.restore();
}

TractChart::TractChart(const QAbstractItemModel& view, const TractModel& model,
                       QItemSelectionModel& selection, QWidget* parent)
    : QWidget(parent), view_(view), model_(model), selection_(selection) {
    setObjectName("tractChart");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    connect(&view_, &QAbstractItemModel::layoutChanged, this, &TractChart::changed);
    connect(&view_, &QAbstractItemModel::modelReset, this, &TractChart::changed);
    connect(&view_, &QAbstractItemModel::rowsInserted, this, &TractChart::changed);
    connect(&view_, &QAbstractItemModel::rowsRemoved, this, &TractChart::changed);
    connect(&view_, &QAbstractItemModel::dataChanged, this, &TractChart::changed);
    connect(&selection_, &QItemSelectionModel::selectionChanged, this, &TractChart::selectionChanged);
}

void TractChart::changed() {
    lines_ = collectLines();
    scale_ = TractChartScale::of(lines_);
    // Tall enough for every line: the scroll area around it scrolls.
    setMinimumHeight(sizeHint().height());
    update();
}

void TractChart::selectionChanged() {
    for (std::size_t row = 0; row < lines_.size(); ++row)
        lines_[row].selected = selection_.isRowSelected(static_cast<int>(row));
    update();
}

std::vector<TractChartLine> TractChart::collectLines() const {
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(&view_);
    std::vector<TractChartLine> all;
    const int k = model_.objective();
    for (int row = 0; row < view_.rowCount(); ++row) {
        const int source = proxy ? proxy->mapToSource(view_.index(row, 0)).row() : row;
        const timbra::StandVerdict& v = model_.verdict(source);
        TractChartLine line;
        line.label = model_.data(model_.index(source, 0), Qt::DisplayRole).toString();
        line.selected = selection_.isRowSelected(row);
        if (v.read() && static_cast<std::size_t>(k) <= v.objectives.size()) {
            const timbra::ObjectiveVerdict& o = v.objectives[static_cast<std::size_t>(k - 1)];
            const timbra::SamplingStatistics& s = o.statistics;
            line.mean = s.plots > 0 ? std::optional(s.mean) : std::nullopt;
            line.low = s.low;
            line.high = s.high;
            line.threshold = s.threshold;
            line.decision = o.decision;
            line.settled = s.settled.value_or(false);
        }
        all.push_back(line);
    }
    return all;
}

int TractChart::rowAt(int y) const {
    const int row = static_cast<int>(std::floor((y - tractChartAxisHeight(LineHeight)) / LineHeight));
    return row >= 0 && row < view_.rowCount() ? row : -1;
}

QRect TractChart::lineRect(int row) const {
    return QRect(0, static_cast<int>(tractChartAxisHeight(LineHeight)) + row * LineHeight, width(),
                 LineHeight);
}

QSize TractChart::sizeHint() const {
    return {300, static_cast<int>(tractChartAxisHeight(LineHeight)) + LineHeight * view_.rowCount() + 4};
}

void TractChart::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF whole(0, 0, width(), height());
    paintTractChart(painter, whole, lines_, 0, 0, scale_, LineHeight, true);
    // Only the lines in the exposed part are painted: a tract of thousands scrolls smoothly.
    const int first = std::max(0, rowAt(event->rect().top()));
    const int last = rowAt(event->rect().bottom());
    const int end = last < 0 ? static_cast<int>(lines_.size()) : last + 1;
    if (end <= first) return;
    const double top = tractChartAxisHeight(LineHeight) + first * LineHeight;
    paintTractChart(painter, QRectF(0, top, width(), height() - top), lines_, static_cast<std::size_t>(first),
                    static_cast<std::size_t>(end - first), scale_, LineHeight, false);
}

void TractChart::mousePressEvent(QMouseEvent* event) {
    const int row = rowAt(static_cast<int>(event->position().y()));
    if (row < 0) return;
    const auto flags = event->modifiers() & Qt::ControlModifier
                           ? QItemSelectionModel::Toggle | QItemSelectionModel::Rows
                           : QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    selection_.setCurrentIndex(view_.index(row, 0), flags);
}
