#include "recovery_copies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

namespace {

QString CopyName(qint64 pid) {
    return QStringLiteral("design-%1.vistamarq").arg(pid);
}

}  // namespace

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
