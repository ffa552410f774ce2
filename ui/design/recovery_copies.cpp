#include "recovery_copies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace {

QString CopyName(qint64 pid) {
    return QStringLiteral("design-%1.vistamarq").arg(pid);
}

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
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
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

RecoveryCopies::RecoveryCopies(SaveCopy save, std::chrono::milliseconds interval, QString folder,
                               QObject* parent)
    : QObject(parent), m_save(std::move(save)), m_folder(std::move(folder)) {
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopies::timer_Timeout);
}

QString RecoveryCopies::CopyPath() const {
    return m_folder + u'/' + CopyName(QCoreApplication::applicationPid());
}

void RecoveryCopies::SetModified(bool modified) {
    if (modified == m_modified)
        return;
    if (modified) {
        m_modified = true;
        m_timer.start();
    } else {
        Remove();
    }
}

void RecoveryCopies::NoteChange() {
    // Counted before the design says it is modified too: the first change is told first.
    ++m_changesSinceCopy;
    if (m_modified && m_changesSinceCopy >= kChangesPerCopy)
        Write();
}

void RecoveryCopies::Remove() {
    m_modified = false;
    m_timer.stop();
    m_changesSinceCopy = 0;
    QFile::remove(CopyPath());
    m_copyWritten = false;
}

void RecoveryCopies::timer_Timeout() {
    if (m_modified && (m_changesSinceCopy > 0 || !m_copyWritten))
        Write();
}

void RecoveryCopies::Write() {
    // Counted as written even when it failed: the next try waits for the next tick or the next
    // kChangesPerCopy changes, rather than failing again at every keystroke.
    m_changesSinceCopy = 0;
    if (!QDir().mkpath(m_folder)) {
        emit copyFailed(QStringLiteral("The folder %1 could not be made.")
                            .arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    if (const std::optional<QString> message = m_save(CopyPath())) {
        emit copyFailed(*message);
        return;
    }
    m_copyWritten = true;
}
