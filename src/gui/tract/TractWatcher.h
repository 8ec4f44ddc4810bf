#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <string>

// Watches the tally files of a tract, and their folders (a save that replaces the file, as the
// input dialog's Save as does, is seen there), and tells once things settle which files changed
// on disk and which are gone.
class TractWatcher : public QObject {
    Q_OBJECT
public:
    explicit TractWatcher(QObject* parent = nullptr);

    void watch(const std::string& file);
    void forget(const std::string& file);
    void clear();

signals:
    void changed(const std::string& file); // written anew, or back after it was gone
    void removed(const std::string& file);

private:
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    // Looks at every flagged file once the pause after the last flag is over.
    void checkNow();
    void flag(const QString& path);
    void flagFolder(const QString& folder);

    QFileSystemWatcher watcher_;
    QTimer pause_;
    QHash<QString, Stamp> stamps_;
    QHash<QString, int> folders_; // watched folder, files of the tract in it
    QSet<QString> flagged_;
};
