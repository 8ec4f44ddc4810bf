#include "gui/tract/FrozenColumnTable.h"

#include <QHeaderView>
#include <QScrollBar>

FrozenColumnTable::FrozenColumnTable(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this)) {
    frozen_->setObjectName("frozenColumn");
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    viewport()->stackUnder(frozen_);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section != 0) return;
        frozen_->setColumnWidth(0, size);
        placeFrozenColumn();
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { frozen_->setRowHeight(section, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // A click on the frozen column's heading sorts as the table's own does.
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const bool same = horizontalHeader()->sortIndicatorSection() == section;
        const Qt::SortOrder order = same && horizontalHeader()->sortIndicatorOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        sortByColumn(section, order);
    });
    connect(frozen_, &QTableView::doubleClicked, this, &QTableView::doubleClicked);
}

void FrozenColumnTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    frozen_->setSelectionBehavior(SelectRows);
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    for (int col = 1; col < model->columnCount(); ++col)
        frozen_->setColumnHidden(col, true);
    frozen_->setColumnWidth(0, columnWidth(0));
    frozen_->show();
    placeFrozenColumn();
}

void FrozenColumnTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFrozenColumn();
}

void FrozenColumnTable::placeFrozenColumn() {
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
}

// Moving left past the frozen column scrolls the table so the cell is not hidden under it.
QModelIndex FrozenColumnTable::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() > 0 &&
        visualRect(current).topLeft().x() < frozen_->columnWidth(0)) {
        const int newValue =
            horizontalScrollBar()->value() + visualRect(current).topLeft().x() - frozen_->columnWidth(0);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The frozen column is always in view: going to one of its cells scrolls only up or down.
    if (index.isValid() && index.column() == 0) {
        const int beside = columnAt(frozen_->columnWidth(0) + 1);
        QTableView::scrollTo(model()->index(index.row(), beside > 0 ? beside : 0), hint);
        return;
    }
    QTableView::scrollTo(index, hint);
}
