#include "gui/tract/TractWatcher.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

QString pathOf(const std::string& file) {
    return QFile::decodeName(QByteArray::fromStdString(file));
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

} // namespace

TractWatcher::TractWatcher(QObject* parent) : QObject(parent) {
    // A save writes, renames and syncs in quick succession: look once it has settled.
    pause_.setSingleShot(true);
    pause_.setInterval(300);
    connect(&pause_, &QTimer::timeout, this, &TractWatcher::checkNow);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TractWatcher::flag);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TractWatcher::flagFolder);
}

TractWatcher::Stamp TractWatcher::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {true, info.size(), info.lastModified()};
}

void TractWatcher::watch(const std::string& file) {
    const QString path = pathOf(file);
    if (stamps_.contains(path)) return;
    stamps_.insert(path, stampOf(path));
    if (QFileInfo::exists(path)) watcher_.addPath(path);
    const QString folder = folderOf(path);
    if (folders_[folder]++ == 0 && QFileInfo(folder).isDir()) watcher_.addPath(folder);
}

void TractWatcher::forget(const std::string& file) {
    const QString path = pathOf(file);
    if (!stamps_.remove(path)) return;
    watcher_.removePath(path);
    const QString folder = folderOf(path);
    if (--folders_[folder] == 0) {
        folders_.remove(folder);
        watcher_.removePath(folder);
    }
}

void TractWatcher::clear() {
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    stamps_.clear();
    folders_.clear();
    flagged_.clear();
}

void TractWatcher::flag(const QString& path) {
    if (!stamps_.contains(path)) return;
    flagged_.insert(path);
    pause_.start();
}

void TractWatcher::flagFolder(const QString& folder) {
    for (auto it = stamps_.cbegin(); it != stamps_.cend(); ++it)
        if (folderOf(it.key()) == folder) flagged_.insert(it.key());
    if (!flagged_.isEmpty()) pause_.start();
}

void TractWatcher::checkNow() {
    const QSet<QString> flagged = std::exchange(flagged_, {});
    for (const QString& path : flagged) {
        const auto it = stamps_.find(path);
        if (it == stamps_.end()) continue;
        const Stamp now = stampOf(path);
        if (now == *it) continue;
        *it = now;
        // A replaced file is a new one to the system's watcher: watch it again.
        if (now.exists && !watcher_.files().contains(path)) watcher_.addPath(path);
        const std::string file = QFile::encodeName(path).toStdString();
        if (now.exists)
            emit changed(file);
        else
            emit removed(file);
    }
}
