#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Every message box, question and file or print dialog of the programs goes through one
// Prompter, so that tests can answer them. The default shows Qt's real dialogs.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal message with an OK button and no icon; texts are shown as plain text.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // One of a series of messages shown one at a time (a Run's messages): a modal message with an OK
    // button and, while `remaining` more follow, a button that skips them ("Skip the remaining 2,989
    // messages"). False when the user skipped the rest.
    virtual bool seriesMessage(QWidget* parent, const QString& caption, const QString& text,
                               int remaining) = 0;
    // A modal question with Yes and No; true for Yes. Enter presses Yes; Esc answers No.
    virtual bool question(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The same for a Yes that gives the user's work up: No is the default button, so Enter and Space
    // keep the work; Esc answers No.
    virtual bool cautiousQuestion(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The open-file dialog; an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& presetName, const QString& filter) = 0;
    // The save-file dialog: adds `defaultSuffix` to a name typed without one and asks before
    // overwriting; an empty string when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& presetName, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // The open-file dialog choosing any number of existing files; by default the one file
    // openFileName gives. Empty when the user cancels.
    virtual QStringList openFileNames(QWidget* parent, const QString& filter) {
        const QString one = openFileName(parent, QString(), filter);
        return one.isEmpty() ? QStringList() : QStringList(one);
    }
    // The folder dialog; by default the name openFileName gives. Empty when the user cancels.
    virtual QString folderName(QWidget* parent) { return openFileName(parent, QString(), QString()); }
    // The print dialog for `printer`; false when the user cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;

    // The prompter in use; tests put their own in place with setCurrent and restore it after.
    static Prompter& current();
    static void setCurrent(Prompter* prompter); // nullptr restores the real dialogs
};
