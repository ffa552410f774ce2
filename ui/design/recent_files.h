#pragma once

#include <QString>
#include <QStringList>

// File > Open Recent: the design files last opened or saved, most recent first, each once, at
// most kMostRecentFiles. Kept in an INI file of their own (RecentFilesSettingsPath), read and
// written at each call so that two programs running at once share one list; the calculator's
// settings file is never read or written.
inline constexpr int kMostRecentFiles = 8;

// "<the user's config folder>/vistamarq-designs.ini" (on Linux ~/.config, or $XDG_CONFIG_HOME).
QString RecentFilesSettingsPath();

class RecentFiles {
  public:
    explicit RecentFiles(QString settingsPath = RecentFilesSettingsPath());

    // As kept, most recent first; some may be gone.
    QStringList Files() const;
    // For the menu: the files that are still there; the others are dropped from the list.
    QStringList FilesForMenu();

    // A file opened or saved: first in the list, taken out of its old place, the oldest dropped
    // past kMostRecentFiles. Files are kept by their absolute path with links resolved, so one
    // file reached two ways is listed once.
    void Add(const QString& path);
    // A file that would not open.
    void Remove(const QString& path);

  private:
    void Store(const QStringList& files);

    QString m_settingsPath;
};
