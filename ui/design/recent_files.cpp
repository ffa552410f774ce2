#include "recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace {

const QString kFilesKey = QStringLiteral("recent/files");

QString KeptPath(const QString& path) {
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();  // empty when the file is not there
    return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
}

}  // namespace

QString RecentFilesSettingsPath() {
    // Beside the calculator's own settings file, under a name of its own.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/vistamarq-designs.ini");
}

RecentFiles::RecentFiles(QString settingsPath) : m_settingsPath(std::move(settingsPath)) {}

QStringList RecentFiles::Files() const {
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    QStringList files = settings.value(kFilesKey).toStringList();
    files.removeAll(QString());
    if (files.size() > kMostRecentFiles)
        files.erase(files.begin() + kMostRecentFiles, files.end());
    return files;
}

QStringList RecentFiles::FilesForMenu() {
    const QStringList kept = Files();
    QStringList there;
    for (const QString& path : kept) {
        if (QFileInfo(path).isFile())
            there.append(path);
    }
    if (there != kept)
        Store(there);
    return there;
}

void RecentFiles::Add(const QString& path) {
    const QString kept = KeptPath(path);
    QStringList files = Files();
    files.removeAll(kept);
    files.prepend(kept);
    if (files.size() > kMostRecentFiles)
        files.erase(files.begin() + kMostRecentFiles, files.end());
    Store(files);
}

void RecentFiles::Remove(const QString& path) {
    QStringList files = Files();
    if (files.removeAll(KeptPath(path)) + files.removeAll(path) > 0)
        Store(files);
}

void RecentFiles::Store(const QStringList& files) {
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue(kFilesKey, files);
    settings.sync();
}
