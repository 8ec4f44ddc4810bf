#include "gui/pages/ReferencePageDialog.h"

#include "core/app/ProgramProfile.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/grid/CellLook.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

ReferencePageDialog::ReferencePageDialog(const timbra::ProgramProfile& profile,
                                         const timbra::ReferencePage& page, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("referencePage"));
    setWindowTitle(QString::fromStdString(page.title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    new QVBoxLayout(this);
    if (page.hasGrid)
        buildGrid(profile, page);
    else
        buildTexts(profile, page);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QString::fromStdString(page.okText), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    if (page.hasPrint) {
        auto* print = buttons->addButton(tr("Print"), QDialogButtonBox::ActionRole);
        print->setObjectName(QStringLiteral("print"));
        print->setAutoDefault(false);
        connect(print, &QPushButton::clicked, this, &ReferencePageDialog::OnPrintPage);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout()->addWidget(buttons);
}

void ReferencePageDialog::buildGrid(const timbra::ProgramProfile& profile,
                                    const timbra::ReferencePage& page) {
    grid_ = new CSpreadSheet(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setReadOnly(true);
    grid_->setSheet(profile.loadPage(page));
    // A page reads as a document: its heading strip and row numbers as stored, but no grid lines
    // or cursor (the printed page is a paper form of its own).
    grid_->setShowGrid(false);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->clearSelection();
    grid_->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(grid_);

    // Room for what the page shows (its texts, where they run on, and its outlines) within the
    // screen: the columns past the content stay a scroll away.
    const timbra::Sheet& sheet = grid_->sheet();
    const QFontMetricsF charMetrics(grid_->font(), grid_);
    const double padding = 2 * CellTextPadding * logicalDpiX() / 96.0;
    int contentWidth = 0, contentHeight = 0, left = 0;
    for (int c = 1; c <= sheet.GetMaxCols(); ++c) {
        const int right = left + grid_->columnWidth(c - 1);
        for (int r = 1; r <= sheet.GetMaxRows(); ++r) {
            const std::string& text = sheet.GetText(c, r);
            if (isBlankText(text) && !sheet.formatAt(c, r).borders) continue;
            const QFontMetricsF metrics(cellFont(grid_->font(), sheet.formatAt(c, r)), grid_);
            const double textWidth = metrics.horizontalAdvance(QString::fromStdString(text)) + padding;
            contentWidth = std::max(contentWidth, std::max(right, left + int(std::ceil(textWidth))));
        }
        left = right;
    }
    for (int r = 0; r < sheet.GetMaxRows(); ++r)
        contentHeight += grid_->rowHeight(r);
    const int frame = 2 * grid_->frameWidth();
    const int headings =
        grid_->horizontalHeader()->isHidden() ? 0 : grid_->horizontalHeader()->sizeHint().height();
    const int rowNumbers = grid_->verticalHeader()->sizeHint().width();
    const QSize screen = this->screen() ? this->screen()->availableSize() : QSize(1024, 768);
    // Room for a scroll bar only where the page's columns or rows go on past the window.
    const int height = std::min(contentHeight + headings + frame, screen.height() * 2 / 3);
    const bool scrollsDown = height < contentHeight + headings + frame;
    const int width = std::min(contentWidth + rowNumbers + frame +
                                   (scrollsDown ? grid_->verticalScrollBar()->sizeHint().width() : 0),
                               screen.width() * 9 / 10);
    const bool scrollsAcross = left + rowNumbers + frame > width;
    grid_->setMinimumSize(width,
                          height + (scrollsAcross ? grid_->horizontalScrollBar()->sizeHint().height() : 0));
}

// Page Up, Page Down, Home and End scroll the page, whichever button has the focus.
void ReferencePageDialog::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = grid_ ? grid_->verticalScrollBar() : nullptr;
    const auto scroll = [&](QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        event->accept();
    };
    if (bar && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_PageUp:
            return scroll(QAbstractSlider::SliderPageStepSub);
        case Qt::Key_PageDown:
            return scroll(QAbstractSlider::SliderPageStepAdd);
        case Qt::Key_Home:
            return scroll(QAbstractSlider::SliderToMinimum);
        case Qt::Key_End:
            return scroll(QAbstractSlider::SliderToMaximum);
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}

void ReferencePageDialog::buildTexts(const timbra::ProgramProfile& profile,
                                     const timbra::ReferencePage& page) {
    const timbra::Sheet texts = profile.loadPage(page);
    auto* group = new QGroupBox(QString::fromStdString(texts.GetText(1, 1)), this);
    group->setObjectName(QStringLiteral("texts"));
    auto* lines = new QVBoxLayout(group);
    for (int row = 2; row <= texts.GetMaxRows(); ++row) {
        auto* label = new QLabel(QString::fromStdString(texts.GetText(1, row)), group);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        lines->addWidget(label);
    }
    group->setMinimumWidth(400);
    layout()->addWidget(group);
}

void ReferencePageDialog::OnPrintPage() {
    grid_->DoAction(CSpreadSheet::PrintAction);
}
