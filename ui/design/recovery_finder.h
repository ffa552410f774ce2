#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

// Copies of a design with unsaved changes, kept so that a crash or a power cut loses at most a
// minute of work. Each running program writes its copy as "design-<process id>.vistamarq" in
// RecoveryFolder(), so that two programs never write over each other's copy, and a copy whose
// program is no longer running is one left behind.

// "<the program's data folder>/recovery" (on Linux ~/.local/share/<program>/recovery).
QString RecoveryFolder();

// A copy left behind by a program that ended without saving.
struct RecoveryCopy {
    QString path;
    QDateTime lastWritten;  // local time
};

// The newest copy in `folder` whose program is no longer running, or no value. A copy named with
// this program's own process id is taken as left behind by an earlier program that had the same
// id: call this at start, before this program writes its own.
std::optional<RecoveryCopy> FindRecoveryCopy(const QString& folder = RecoveryFolder());

// "Restore the design you were working on, last saved 14:02?", the time in the locale's short
// format.
QString RestoreQuestion(const QDateTime& lastWritten, const QLocale& locale = QLocale());
