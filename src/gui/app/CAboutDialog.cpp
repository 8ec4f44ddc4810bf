#include "gui/app/CAboutDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/Version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

CAboutDialog::CAboutDialog(const timbra::ProgramProfile& profile, QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle(tr("About %1").arg(QString::fromStdString(profile.appName)));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    // The version is the build's, the one --version prints.
    auto* text =
        new QLabel(tr("Timbra Version %1\n%2\n\nFree software under the GNU General Public License, "
                      "version 3 or later (GPL-3.0-or-later), without any warranty.")
                       .arg(QString::fromLatin1(timbra::version), QString::fromStdString(profile.aboutText)),
                   this);
    text->setObjectName("aboutText");
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    layout->addWidget(ok, 0, Qt::AlignTop);
}
