#include "recovery_finder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <limits>
#endif

namespace {

bool ProcessRunning(qint64 pid) {
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
#else
    // A process of another user answers EPERM: it runs, and may be a program of ours.
    // A number past pid_t's range names no process (cast, it could name a process group).
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

}  // namespace

QString RecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

std::optional<RecoveryCopy> FindRecoveryCopy(const QString& folder) {
    static const QRegularExpression name(QStringLiteral("^design-(\\d{1,18})\\.vistamarq$"));
    const qint64 ownPid = QCoreApplication::applicationPid();
    std::optional<RecoveryCopy> newest;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("design-*.vistamarq")},
                                                           QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        if (pid != ownPid && ProcessRunning(pid))
            continue;
        const QDateTime written = file.lastModified();
        if (!newest || written > newest->lastWritten)
            newest = RecoveryCopy{file.absoluteFilePath(), written};
    }
    return newest;
}

QString RestoreQuestion(const QDateTime& lastWritten, const QLocale& locale) {
    return QStringLiteral("Restore the design you were working on, last saved %1?")
        .arg(locale.toString(lastWritten.time(), QLocale::ShortFormat));
}
