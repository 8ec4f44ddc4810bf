#include "app/ReferencePageDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

ReferencePageDialog::ReferencePageDialog(const timbra::ProgramProfile& profile,
                                         const timbra::ReferencePage& page, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("referencePage"));
    setWindowTitle(QString::fromStdString(page.title));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    new QVBoxLayout(this);
    if (page.gridId != 0)
        buildGrid(profile, page);
    else
        buildTexts(profile, page);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QString::fromStdString(page.okText), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    if (page.printId != 0) {
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
    // A page reads as a document: no column letters, row numbers, grid lines or cursor (the
    // printed page keeps its grid lines).
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setShowGrid(false);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->clearSelection();
    grid_->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(grid_);

    // Room for the page's full width (within the screen), and a good part of its length.
    int width = grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    for (int c = 0; c < grid_->sheet().GetMaxCols(); ++c)
        width += grid_->columnWidth(c);
    const QSize screen = this->screen() ? this->screen()->availableSize() : QSize(1024, 768);
    grid_->setMinimumSize(std::min(width, screen.width() * 9 / 10), std::min(480, screen.height() * 2 / 3));
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
