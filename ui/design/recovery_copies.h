#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "recovery_finder.h"

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
