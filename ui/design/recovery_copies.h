#pragma once

#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
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

// Writes this program's copy while the design has unsaved changes: on a timer (when the design
// changed since the last copy) and at every kChangesPerCopy-th change. Nothing is written while
// the design is unmodified; the copy is removed once it is (saved, or undone back to what was
// saved) and on Remove (the changes were discarded).
//
// Wiring: DesignDocument::modifiedChanged to SetModified, designChanged to NoteChange.
class RecoveryCopies : public QObject {
    Q_OBJECT

  public:
    // Writes the design at `path` (a complete design file, written whole or not at all); returns
    // the message when it could not, no value when it did.
    using SaveCopy = std::function<std::optional<QString>(const QString& path)>;
    static constexpr int kChangesPerCopy = 20;

    explicit RecoveryCopies(SaveCopy save,
                            std::chrono::milliseconds interval = std::chrono::seconds(60),
                            QString folder = RecoveryFolder(), QObject* parent = nullptr);

    // Where this program's copy is written.
    QString CopyPath() const;

    void SetModified(bool modified);
    // The design changed (an edit, an undo, a followed source).
    void NoteChange();
    // The unsaved changes were discarded: the copy is removed, and nothing is written until the
    // design is modified again.
    void Remove();

  signals:
    // A copy could not be written; the next change or tick tries again.
    void copyFailed(const QString& message);

  private:
    void timer_Timeout();
    void Write();

    SaveCopy m_save;
    QString m_folder;
    QTimer m_timer;
    bool m_modified = false;
    bool m_copyWritten = false;
    int m_changesSinceCopy = 0;
};
