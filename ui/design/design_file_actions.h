#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include "plan_images.h"

#include "design.h"
#include "design_document.h"
#include "design_file_store.h"
#include "number_text.h"
#include "recent_files.h"
#include "recovery_copies.h"

class QMenu;
class QPrinter;
class QWidget;

// File > New, Open…, Open Recent, Save, Save As…, the exports and the print of the design window,
// and the question to save unsaved changes.
//
// The file a design is saved to is the one it was opened from or last saved to, unless another
// program changed, replaced or deleted it since: then the save is refused and the user is offered
// Save As…. A failed save loses nothing: the design stays open and modified. Opening never writes
// to the file; a file that will not open leaves the open design as it was. While the design has
// unsaved changes a recovery copy of it is kept (RecoveryCopies), and the copy a killed program
// left behind is offered back at the window's first show.
//
// Every dialog and message box goes through the three protected hooks below, so that a test can
// answer them without a modal dialog.
class DesignFileActions : public QObject {
    Q_OBJECT

  public:
    // `window`: parent of the dialogs and message boxes. `document`: the design being edited.
    // `format`: the user's number format (for ReadDesign and the report/schedule figures).
    // `newDesign`: makes the design File > New starts from (the window gives one camera, "Camera
    // 1"). A document that already has a path is taken as that file's, as the file is now.
    DesignFileActions(QWidget* window, DesignDocument& document, NumberFormat format,
                      std::function<Design()> newDesign, QObject* parent = nullptr);

    // "Save changes to NAME?" with Save / Discard / Cancel when the document is modified (NAME: the
    // design's name, else the file's base name, else "Untitled"). True when the caller may go on:
    // nothing to save, saved, or discarded (then the recovery copy is removed). False on Cancel or
    // when the save failed or its Save As dialog was cancelled.
    bool MaySetDesignAside();

    void New();   // MaySetDesignAside, then document.Load(newDesign(), {})
    void Open();  // MaySetDesignAside, QFileDialog "Vistamarq designs (*.vistamarq)", OpenPath
    // Opens `path` in place of the current design (no question: callers ask first). On failure one
    // QMessageBox::warning naming the file and what is wrong; the open design stays as it was and
    // the path is removed from the recent list. True when opened.
    bool OpenPath(const QString& path);
    bool Save();    // untitled → SaveAs; else save to document.Path()
    bool SaveAs();  // QFileDialog, default suffix .vistamarq
    // File > Open Recent's menu, filled from RecentFiles each time it is about to show ("&1 name"
    // …, tooltips with the full path; a disabled "No recent designs" when empty); choosing asks
    // MaySetDesignAside then OpenPath.
    QMenu* RecentMenu();
    // At the window's first show: a recovery copy left by a killed program → QMessageBox::question
    // with RestoreQuestion(...) (Yes/No). Yes: the copy's design is loaded as an untitled, MODIFIED
    // design (so the user must save it somewhere); the left-behind copy file is removed either way
    // once answered (No = discard). Returns true when a design was restored.
    bool OfferRecovery();
    void ExportSchedule();  // QFileDialog *.csv → schedule CSV, UTF-8; message on failure
    void ExportReport();    // QFileDialog *.pdf → StartDesignReportPdf with a QProgressDialog
                            // (window-modal, Cancel) driven by a QFutureWatcher
    void PrintReport();     // QPrintDialog → PrintDesignReport with QProgressDialog

    // The drawings under the design's plans: where the plan view reads them, and where an
    // imported one waits for the next save.
    PlanImages& Images() { return m_images; }

  signals:
    // Another design was loaded (New, Open, restore): the window shows its first camera.
    void designReplaced();

  protected:
    // A message box: its buttons among Save, Discard, Cancel, Yes, No and Ok.
    struct Message {
        QMessageBox::Icon icon = QMessageBox::Warning;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QString saveCaption;  // the Save button's caption when not its own ("Save As…")
    };
    // Shows the message and returns the button chosen (Escape or closing: Cancel, No or Ok).
    virtual QMessageBox::StandardButton Ask(const Message& message);

    struct FileQuestion {
        bool save = false;  // a file to write (Save As, the exports), else one to open
        QString title;
        QString start;   // the folder, or the file name proposed in it
        QString filter;  // "Vistamarq designs (*.vistamarq)"
        QString suffix;  // without the dot, added when the user types a name without one
    };
    // The file chosen, empty when the dialog was cancelled. A file to write that exists has been
    // confirmed for replacing.
    virtual QString AskFileName(const FileQuestion& question);

    // Sets up `printer` with the print dialog; false when it was cancelled.
    virtual bool AskPrinter(QPrinter& printer);

  private:
    // The design's name, else the file's base name, else "Untitled".
    QString DesignTitle() const;
    // Where the file dialogs start: the design's folder and `suffix` after its name.
    QString ProposedFile(const QString& suffix) const;
    bool SaveTo(const QString& path);
    std::optional<QString> SaveCopy(const QString& path) const;
    // The design is no longer a file's: untitled from here.
    void ForgetFile();
    void recentMenu_AboutToShow();
    void Warn(const QString& title, const QString& text);
    void copies_Failed(const QString& message);

    QWidget* m_window;
    DesignDocument& m_document;
    NumberFormat m_format;
    std::function<Design()> m_newDesign;
    RecentFiles m_recent;
    RecoveryCopies m_copies;
    QPointer<QMenu> m_recentMenu;

    // The file last opened or saved, as it was then: its blobs are kept by the next save, and a
    // save to it is refused when another program has changed it since. Empty for a design never
    // saved.
    QString m_file;
    PlanImages m_images;
    std::optional<DesignFileStamp> m_fileStamp;
    bool m_copyFailureTold = false;  // a recovery copy could not be written, and the user knows
};
