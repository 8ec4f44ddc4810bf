#include "gui/app/CWelcomeDialog.h"

#include "core/app/ProgramProfile.h"
#include "gui/common/QtString.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CWelcomeDialog::CWelcomeDialog(const timbra::ProgramProfile& profile, QWidget* parent) : QDialog(parent) {
    setObjectName("welcomeDialog");
    setWindowTitle(qs(profile.welcomeCaption));

    auto* credits = new QGroupBox(qs(profile.welcomeGroupTitle), this);
    credits->setObjectName("creditsBox");
    auto* creditLines = new QVBoxLayout(credits);
    for (const auto& line : profile.welcomeCredits) {
        auto* label = new QLabel(qs(line), credits);
        label->setAlignment(Qt::AlignCenter);
        creditLines->addWidget(label);
    }

    auto* disclaimer = new QGroupBox(tr("Software Disclaimer"), this);
    disclaimer->setObjectName("disclaimerBox");
    auto* notice = new QLabel(qs(profile.welcomeDisclaimer), disclaimer);
    notice->setWordWrap(true);
    (new QVBoxLayout(disclaimer))->addWidget(notice);

    auto* closing = new QLabel(qs(profile.welcomeClosingLine), this);
    closing->setObjectName("closingLine");
    closing->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    ok->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(credits);
    layout->addWidget(disclaimer);
    layout->addWidget(closing);
    layout->addWidget(ok);
    setMinimumWidth(closing->sizeHint().width() + 40);
}
