#include "design_file_actions.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLocale>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "design_file.h"
#include "design_report.h"
#include "design_sheet_document.h"
#include "file_on_disk.h"
#include "qt_text.h"
#include "schedule_csv.h"

namespace {

const QString kDesignFilter = QStringLiteral("Vistamarq designs (*.%1)").arg(kDesignFileSuffix);

QString AbsolutePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// One file however the path is spelt, even one that is gone.
bool SamePath(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return AbsolutePath(a) == AbsolutePath(b);
}

// The user's text made fit for a file name: the characters some system refuses become "-".
QString FileNameOf(QString text) {
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        text.replace(c, u'-');
    return text.trimmed();
}

DesignReading ReadOpened(const OpenedDesign& opened, const NumberFormat& format) {
    return ReadDesign(
        std::string_view(opened.json.constData(), static_cast<size_t>(opened.json.size())), format);
}

ReportOptions ReportOptionsFor(const Design& design, const NumberFormat& format,
                               const PlanImages& images) {
    const QLocale locale;
    ReportOptions options{design, format,
                          locale.toString(QDate::currentDate(), QLocale::LongFormat),
                          SheetPageSize(locale)};
    options.planImages = images.UsedBy(design);
    return options;
}

QString NotWritten(const QString& path, const QString& reason) {
    return QStringLiteral("%1 was not written: %2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

DesignFileActions::DesignFileActions(QWidget* window, DesignDocument& document, NumberFormat format,
                                     std::function<Design()> newDesign, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_document(document),
      m_format(std::move(format)),
      m_newDesign(std::move(newDesign)),
      m_copies([this](const QString& path) { return SaveCopy(path); }) {
    // A design the window opened itself: its file's pictures are kept and its changes guarded
    // as if it had been opened here.
    if (!document.Path().isEmpty()) {
        m_file = AbsolutePath(document.Path());
        const auto opened = OpenDesignFile(m_file);
        if (const auto* file = std::get_if<OpenedDesign>(&opened)) {
            m_images.SetFile(m_file, file->blobs);
            m_fileStamp = file->stamp;
        }
    }
    connect(&document, &DesignDocument::modifiedChanged, &m_copies, &RecoveryCopies::SetModified);
    connect(&document, &DesignDocument::designChanged, &m_copies, &RecoveryCopies::NoteChange);
    connect(&m_copies, &RecoveryCopies::copyFailed, this, &DesignFileActions::copies_Failed);
    m_copies.SetModified(document.IsModified());
}

bool DesignFileActions::MaySetDesignAside() {
    if (!m_document.IsModified())
        return true;
    const QMessageBox::StandardButton answer =
        Ask({QMessageBox::Warning, QStringLiteral("Save Changes"),
             QStringLiteral("Save changes to %1?").arg(DesignTitle()),
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save,
             QString()});
    if (answer == QMessageBox::Save)
        return Save();
    if (answer != QMessageBox::Discard)
        return false;
    m_copies.Remove();
    return true;
}

void DesignFileActions::New() {
    if (!MaySetDesignAside())
        return;
    ForgetFile();
    m_document.Load(m_newDesign(), {});
    emit designReplaced();
}

void DesignFileActions::Open() {
    if (!MaySetDesignAside())
        return;
    const QString start = m_file.isEmpty() ? QString() : QFileInfo(m_file).path();
    const QString path =
        AskFileName({false, QStringLiteral("Open Design"), start, kDesignFilter, QString()});
    if (!path.isEmpty())
        OpenPath(path);
    // Changes discarded for a file that did not open are the user's still: keep their copy.
    m_copies.SetModified(m_document.IsModified());
}

bool DesignFileActions::OpenPath(const QString& path) {
    const auto opened = OpenDesignFile(path);
    // OpenDesignFile's messages name the file; ReadDesign's name the camera and the value.
    QString failure;
    DesignReading reading;
    if (const auto* message = std::get_if<QString>(&opened)) {
        failure = *message;
    } else {
        reading = ReadOpened(std::get<OpenedDesign>(opened), m_format);
        if (!reading.design)
            failure =
                QStringLiteral("Cannot open %1:\n\n%2").arg(Quoted(path), ToQString(reading.error));
    }
    if (!failure.isEmpty()) {
        m_recent.Remove(path);
        Warn(QStringLiteral("Open Design"), failure);
        return false;
    }
    const OpenedDesign& file = std::get<OpenedDesign>(opened);
    m_file = AbsolutePath(path);
    m_images.SetFile(m_file, file.blobs);
    m_fileStamp = file.stamp;
    m_document.Load(std::move(*reading.design), m_file);
    m_recent.Add(m_file);
    emit designReplaced();
    return true;
}

bool DesignFileActions::Save() {
    if (m_document.Path().isEmpty())
        return SaveAs();
    return SaveTo(m_document.Path());
}

bool DesignFileActions::SaveAs() {
    const QString path = AskFileName({true, QStringLiteral("Save Design As"),
                                      ProposedFile(QStringLiteral(".") + kDesignFileSuffix),
                                      kDesignFilter, QString::fromLatin1(kDesignFileSuffix)});
    return !path.isEmpty() && SaveTo(path);
}

bool DesignFileActions::SaveTo(const QString& path) {
    const std::string json = WriteDesign(m_document.Current());
    DesignSave save;
    save.json = QByteArray(json.data(), static_cast<qsizetype>(json.size()));
    m_images.FillSave(m_document.Current(), save);
    // Saving over the file the design came from must not overwrite what another program wrote
    // there since; any other file the user has just chosen to replace.
    if (!m_file.isEmpty() && SamePath(path, m_file))
        save.expected = m_fileStamp;
    const auto saved = SaveDesignFile(path, save);
    if (const auto* message = std::get_if<QString>(&saved)) {
        const QMessageBox::StandardButton answer =
            Ask({QMessageBox::Warning, QStringLiteral("Save Design"), *message,
                 QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save,
                 QStringLiteral("Save As\u2026")});
        return answer == QMessageBox::Save && SaveAs();
    }
    m_file = AbsolutePath(path);
    m_images.MarkSaved(m_file, m_document.Current());
    m_fileStamp = std::get<DesignFileStamp>(saved);
    m_document.MarkSaved(m_file);
    m_recent.Add(m_file);
    return true;
}

QMenu* DesignFileActions::RecentMenu() {
    if (!m_recentMenu) {
        m_recentMenu = new QMenu(QStringLiteral("Open &Recent"), m_window);
        m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
        m_recentMenu->setToolTipsVisible(true);
        connect(m_recentMenu, &QMenu::aboutToShow, this,
                &DesignFileActions::recentMenu_AboutToShow);
    }
    return m_recentMenu;
}

void DesignFileActions::recentMenu_AboutToShow() {
    m_recentMenu->clear();
    const QStringList files = m_recent.FilesForMenu();
    if (files.isEmpty())
        m_recentMenu->addAction(QStringLiteral("No recent designs"))->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files.at(i);
        QString name = QFileInfo(path).fileName();
        name.replace(u'&', QStringLiteral("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] {
            if (MaySetDesignAside())
                OpenPath(path);
            m_copies.SetModified(m_document.IsModified());
        });
    }
}

bool DesignFileActions::OfferRecovery() {
    const std::optional<RecoveryCopy> copy = FindRecoveryCopy();
    if (!copy)
        return false;
    const QMessageBox::StandardButton answer =
        Ask({QMessageBox::Question, QStringLiteral("Restore Design"),
             RestoreQuestion(copy->lastWritten), QMessageBox::Yes | QMessageBox::No,
             QMessageBox::Yes, QString()});
    std::optional<Design> restored;
    if (answer == QMessageBox::Yes) {
        const auto opened = OpenDesignFile(copy->path);
        if (const auto* message = std::get_if<QString>(&opened)) {
            Warn(QStringLiteral("Restore Design"), *message);
        } else {
            DesignReading reading = ReadOpened(std::get<OpenedDesign>(opened), m_format);
            // The copy's drawings are read before it goes: they may be in no other file.
            const std::optional<QString> lost =
                reading.design
                    ? m_images.TakeAllFrom(copy->path, std::get<OpenedDesign>(opened).blobs)
                    : std::nullopt;
            if (lost)
                Warn(QStringLiteral("Restore Design"), *lost);
            if (reading.design)
                restored = std::move(reading.design);
            else
                Warn(QStringLiteral("Restore Design"),
                     QStringLiteral("The design could not be restored:\n\n%1")
                         .arg(ToQString(reading.error)));
        }
    }
    // Answered: a copy declined, or one that cannot be read, is not offered at every start.
    QFile::remove(copy->path);
    if (!restored)
        return false;
    ForgetFile();
    m_document.Load(std::move(*restored), {});
    // Modified, so that it is saved somewhere before it is set aside, and copied again meanwhile.
    m_document.UndoStack().resetClean();
    emit designReplaced();
    return true;
}

void DesignFileActions::ExportSchedule() {
    const QString path = AskFileName({true, QStringLiteral("Export Schedule"),
                                      ProposedFile(QStringLiteral(" schedule.csv")),
                                      QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    const std::string csv = ScheduleCsv(m_document.Current());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit())
        Warn(QStringLiteral("Export Schedule"), NotWritten(path, file.errorString()));
}

void DesignFileActions::ExportReport() {
    const QString path = AskFileName({true, QStringLiteral("Export Report"),
                                      ProposedFile(QStringLiteral(" report.pdf")),
                                      QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    // Written on a worker thread from a copy of the design, so the window keeps drawing; the
    // window-modal progress keeps the user from starting a second export meanwhile.
    auto* progress = new QProgressDialog(QStringLiteral("Exporting the report\u2026"),
                                         QStringLiteral("Cancel"), 0, 0, m_window);
    progress->setWindowTitle(QStringLiteral("Export Report"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoReset(false);
    auto* watcher = new QFutureWatcher<ReportResult>(this);
    connect(watcher, &QFutureWatcherBase::progressRangeChanged, progress,
            &QProgressDialog::setRange);
    connect(watcher, &QFutureWatcherBase::progressValueChanged, progress,
            &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, watcher, &QFutureWatcherBase::cancel);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, progress, path] {
        progress->deleteLater();
        watcher->deleteLater();
        // Cancelled: no result, no file, nothing to say.
        const QFuture<ReportResult> future = watcher->future();
        if (future.resultCount() == 0)
            return;
        const ReportResult result = future.result();
        if (result.outcome == ReportOutcome::Failed)
            Warn(QStringLiteral("Export Report"), NotWritten(path, result.reason));
    });
    watcher->setFuture(
        StartDesignReportPdf(path, ReportOptionsFor(m_document.Current(), m_format, m_images)));
}

void DesignFileActions::PrintReport() {
    QPrinter printer;
    printer.setPageSize(SheetPageSize(QLocale()));
    if (!AskPrinter(printer))
        return;
    QProgressDialog progress(QStringLiteral("Printing the report\u2026"), QStringLiteral("Cancel"),
                             0, 0, m_window);
    progress.setWindowTitle(QStringLiteral("Print Report"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    // A window-modal progress processes the events at each step: Cancel is heard while printing.
    const ReportResult result =
        PrintDesignReport(printer, ReportOptionsFor(m_document.Current(), m_format, m_images),
                          [&progress](int done, int total) {
                              progress.setMaximum(total);
                              progress.setValue(done);
                              return !progress.wasCanceled();
                          });
    progress.reset();
    if (result.outcome == ReportOutcome::Failed)
        Warn(QStringLiteral("Print Report"),
             QStringLiteral("The report was not printed: %1").arg(result.reason));
}

QMessageBox::StandardButton DesignFileActions::Ask(const Message& message) {
    QMessageBox box(message.icon, message.title, message.text, message.buttons, m_window);
    if (message.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.defaultButton);
    if (QAbstractButton* save = box.button(QMessageBox::Save);
        save && !message.saveCaption.isEmpty())
        save->setText(message.saveCaption);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString DesignFileActions::AskFileName(const FileQuestion& question) {
    QFileDialog dialog(m_window, question.title, question.start, question.filter);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(question.suffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

bool DesignFileActions::AskPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_window);
    return dialog.exec() == QDialog::Accepted;
}

QString DesignFileActions::DesignTitle() const {
    const QString name = ToQString(m_document.Current().name);
    if (!name.isEmpty())
        return name;
    const QString& path = m_document.Path();
    return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).completeBaseName();
}

QString DesignFileActions::ProposedFile(const QString& suffix) const {
    const QString& path = m_document.Path();
    if (path.isEmpty())
        return FileNameOf(DesignTitle()) + suffix;
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + suffix);
}

std::optional<QString> DesignFileActions::SaveCopy(const QString& path) const {
    const std::string json = WriteDesign(m_document.Current());
    DesignSave save;
    save.json = QByteArray(json.data(), static_cast<qsizetype>(json.size()));
    m_images.FillSave(m_document.Current(), save);
    const auto saved = SaveDesignFile(path, save);
    if (const auto* message = std::get_if<QString>(&saved))
        return *message;
    return std::nullopt;
}

void DesignFileActions::ForgetFile() {
    m_file.clear();
    m_images.ForgetFile();
    m_fileStamp.reset();
}

// Told once: the copies go on trying at each tick and change, and a box a minute would stop the
// user's work to say the same again.
void DesignFileActions::copies_Failed(const QString& message) {
    if (m_copyFailureTold)
        return;
    m_copyFailureTold = true;
    Warn(QStringLiteral("Recovery Copy"),
         QStringLiteral("The design's recovery copy cannot be written:\n\n%1\n\nSave the design "
                        "to keep your changes.")
             .arg(message));
}

void DesignFileActions::Warn(const QString& title, const QString& text) {
    Ask({QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok, QString()});
}
