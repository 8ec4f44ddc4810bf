#pragma once

#include "common/Prompter.h"

#include <QList>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <functional>

// Answers the programs' prompts in tests and records what they showed.
class TestPrompter final : public Prompter {
public:
    struct Shown {
        QString caption, text;
    };

    TestPrompter() { Prompter::setCurrent(this); }
    ~TestPrompter() override { Prompter::setCurrent(nullptr); }

    QList<Shown> messages;
    QList<Shown> questions;
    QList<bool> answers;   // answers to the next questions; No once they run out
    QStringList fileNames; // names for the next file dialogs; an empty name cancels
    QStringList presets, filters, suffixes;
    QString pdfPath; // where prints go; empty cancels the print dialog
    int printRequests = 0;
    std::function<void()> onMessage; // runs while each message is shown

    void message(QWidget*, const QString& caption, const QString& text) override {
        messages.append({caption, text});
        if (onMessage) onMessage();
    }
    bool question(QWidget*, const QString& caption, const QString& text) override {
        questions.append({caption, text});
        return !answers.isEmpty() && answers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& preset, const QString& filter) override {
        presets << preset;
        filters << filter;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& preset, const QString& filter,
                         const QString& suffix) override {
        suffixes << suffix;
        return openFileName(nullptr, preset, filter);
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        ++printRequests;
        if (pdfPath.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : messages)
            texts << m.text;
        return texts;
    }
};

// The text of a PDF, pages separated by form feeds; empty when pdftotext is missing.
inline QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
