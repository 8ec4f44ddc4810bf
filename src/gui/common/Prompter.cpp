#include "gui/common/Prompter.h"

#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

class DialogPrompter final : public Prompter {
public:
    void message(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool seriesMessage(QWidget* parent, const QString& caption, const QString& text, int remaining) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        QPushButton* skip = nullptr;
        if (remaining > 0) {
            // Counts read the same whatever the user's locale: "2,989".
            const QString count = QLocale(QLocale::English).toString(remaining);
            skip = box.addButton(remaining == 1 ? QObject::tr("Skip the remaining 1 message")
                                                : QObject::tr("Skip the remaining %1 messages").arg(count),
                                 QMessageBox::RejectRole);
            skip->setObjectName(QStringLiteral("skipRemaining"));
        }
        // Enter and Escape close this message only, as they did before the rest could be skipped.
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return !skip || box.clickedButton() != skip;
    }

    bool question(QWidget* parent, const QString& caption, const QString& text) override {
        return ask(parent, caption, text, QMessageBox::Yes);
    }

    bool cautiousQuestion(QWidget* parent, const QString& caption, const QString& text) override {
        return ask(parent, caption, text, QMessageBox::No);
    }

    static bool ask(QWidget* parent, const QString& caption, const QString& text,
                    QMessageBox::StandardButton byDefault) {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(byDefault);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    QString openFileName(QWidget* parent, const QString& presetName, const QString& filter) override {
        QFileDialog dialog(parent, QString(), QString(), filter);
        dialog.setOption(QFileDialog::HideNameFilterDetails); // the list shows "TEXT FILES (.txt)" only
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.selectFile(presetName);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    }

    QString saveFileName(QWidget* parent, const QString& presetName, const QString& filter,
                         const QString& defaultSuffix) override {
        QFileDialog dialog(parent, QString(), QString(), filter);
        dialog.setOption(QFileDialog::HideNameFilterDetails); // the list shows "TEXT FILES (.txt)" only
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.selectFile(presetName);
        // Qt's save dialog asks before overwriting an existing file by default.
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    }

    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

DialogPrompter realDialogs;
Prompter* active = &realDialogs;

} // namespace

Prompter& Prompter::current() {
    return *active;
}

void Prompter::setCurrent(Prompter* prompter) {
    active = prompter ? prompter : &realDialogs;
}
