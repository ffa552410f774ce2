// The design window's File menu: the question before unsaved changes are set aside, saving and
// opening design files with every refusal said once and nothing lost, Open Recent, the copy a
// killed program left behind, and the exports. The dialogs are answered by a script.
#include <QMenu>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "design_file.h"
#include "design_file_actions.h"

namespace {

class ScriptedActions : public DesignFileActions {
  public:
    using DesignFileActions::DesignFileActions;

    QList<QMessageBox::StandardButton> answers;  // in order; none left: Cancel
    QStringList fileNames;                       // in order; none left or "": cancelled
    QStringList messages;                        // the texts shown, "Save As…" offers marked
    QString printTo;                             // a PDF for the printer; empty: cancelled

  protected:
    QMessageBox::StandardButton Ask(const Message& message) override {
        messages << message.text +
                        (message.saveCaption.isEmpty() ? "" : " [" + message.saveCaption + "]");
        return answers.isEmpty() ? QMessageBox::Cancel : answers.takeFirst();
    }
    QString AskFileName(const FileQuestion&) override {
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    bool AskPrinter(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }
};

Design Named(const char16_t* name) {
    Design design = NewDesign(LengthUnit::Metres);
    design.name = name;
    return design;
}

QByteArray Json(const Design& design) {
    return QByteArray::fromStdString(WriteDesign(design));
}

QString NameOf(const Design& design) {
    return QString::fromStdU16String(design.name);
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& json) {
    return std::holds_alternative<DesignFileStamp>(SaveDesignFile(path, DesignSave{json}));
}

}  // namespace

class DesignFileActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void question_data();
    void question();
    void newDesign();
    void saveRefused_data();
    void saveRefused();
    void openRefused_data();
    void openRefused();
    void recentMenu();
    void recovery_data();
    void recovery();
    void recoveryCopyFailureToldOnce();
    void exports();

  private:
    QString File(const QString& name) const { return m_home.filePath("designs/" + name); }

    QTemporaryDir m_home;
    QWidget m_window;
    std::unique_ptr<DesignDocument> m_document;
    std::unique_ptr<ScriptedActions> m_actions;
};

void DesignFileActionsTest::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
    QVERIFY(RecoveryFolder().startsWith(m_home.path()));
}

void DesignFileActionsTest::init() {
    m_actions.reset();
    QDir(m_home.filePath("designs")).removeRecursively();
    QDir(RecoveryFolder()).removeRecursively();
    QFile::remove(RecentFilesSettingsPath());
    QVERIFY(QDir().mkpath(m_home.filePath("designs")));
    m_document = std::make_unique<DesignDocument>(NewDesign(LengthUnit::Metres));
    m_actions = std::make_unique<ScriptedActions>(&m_window, *m_document, NumberFormat{},
                                                  [] { return Named(u"Fresh"); });
}

void DesignFileActionsTest::question_data() {
    QTest::addColumn<QString>("start");  // "opened site.vistamarq", "named Gate", "untitled"
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveTo");
    QTest::addColumn<QString>("question");  // empty: none asked
    QTest::addColumn<bool>("mayGoOn");
    QTest::newRow("unmodified: no question") << "untitled" << false << 0 << ""
                                             << "" << true;
    QTest::newRow("Cancel: stays") << "named Gate" << true << int(QMessageBox::Cancel) << ""
                                   << "Save changes to Gate?" << false;
    QTest::newRow("Discard: goes on") << "untitled" << true << int(QMessageBox::Discard) << ""
                                      << "Save changes to Untitled?" << true;
    QTest::newRow("Save, untitled, dialog cancelled: stays")
        << "untitled" << true << int(QMessageBox::Save) << ""
        << "Save changes to Untitled?" << false;
    QTest::newRow("Save, untitled, file chosen: goes on")
        << "untitled" << true << int(QMessageBox::Save) << "new.vistamarq"
        << "Save changes to Untitled?" << true;
    QTest::newRow("Save, opened: saved where it was")
        << "opened site.vistamarq" << true << int(QMessageBox::Save) << ""
        << "Save changes to site?" << true;
}

void DesignFileActionsTest::question() {
    QFETCH(QString, start);
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(QString, saveTo);
    QFETCH(QString, question);
    QFETCH(bool, mayGoOn);
    if (start.startsWith("opened")) {
        QVERIFY(WriteFile(File("site.vistamarq"), Json(Named(u""))));
        QVERIFY(m_actions->OpenPath(File("site.vistamarq")));
    } else if (start.startsWith("named")) {
        m_document->Load(Named(u"Gate"), {});
    }
    // Twenty changes write the recovery copy.
    const QString copy =
        RecoveryFolder() +
        QStringLiteral("/design-%1.vistamarq").arg(QCoreApplication::applicationPid());
    for (int n = 0; edit && n < RecoveryCopies::kChangesPerCopy; ++n)
        m_document->SetNotes(QString::number(n).toStdU16String());
    QCOMPARE(QFile::exists(copy), edit);
    const QByteArray before = Json(m_document->Current());
    m_actions->answers = {QMessageBox::StandardButton(answer)};
    m_actions->fileNames = {saveTo.isEmpty() ? QString() : File(saveTo)};

    QCOMPARE(m_actions->MaySetDesignAside(), mayGoOn);
    QCOMPARE(m_actions->messages, question.isEmpty() ? QStringList() : QStringList{question});
    QCOMPARE(Json(m_document->Current()), before);
    const bool saved = answer == QMessageBox::Save && mayGoOn;
    QCOMPARE(m_document->IsModified(), edit && !saved);
    QCOMPARE(QFile::exists(copy), edit && !mayGoOn);
    if (saved) {
        QVERIFY(m_document->Path().endsWith(saveTo.isEmpty() ? "site.vistamarq" : saveTo));
        QCOMPARE(RecentFiles().Files().value(0), m_document->Path());
        QVERIFY(m_actions->OpenPath(m_document->Path()));
        QCOMPARE(Json(m_document->Current()), before);
    }
}

void DesignFileActionsTest::newDesign() {
    QSignalSpy replaced(m_actions.get(), &DesignFileActions::designReplaced);
    QVERIFY(WriteFile(File("site.vistamarq"), Json(Named(u"Site"))));
    QVERIFY(m_actions->OpenPath(File("site.vistamarq")));
    m_actions->New();
    QCOMPARE(NameOf(m_document->Current()), "Fresh");
    QVERIFY(m_document->Path().isEmpty());
    QCOMPARE(replaced.count(), 2);
}

void DesignFileActionsTest::saveRefused_data() {
    QTest::addColumn<QString>("change");  // what happens to site.vistamarq after it is opened
    QTest::addColumn<QString>("saveAs");  // chosen after the message; empty: Cancel
    QTest::addColumn<QString>("message");
    const QString offer = " [Save As\u2026]";
    QTest::newRow("read-only") << "read-only"
                               << ""
                               << "“site.vistamarq” cannot be written: it is read-only." + offer;
    QTest::newRow("changed by another program")
        << "rewritten"
        << ""
        << "“site.vistamarq” was changed by another program since it was opened." + offer;
    QTest::newRow("deleted") << "deleted"
                             << ""
                             << "“site.vistamarq” was deleted or moved by another program since "
                                "it was opened." +
                                    offer;
    QTest::newRow("read-only, saved as another file")
        << "read-only"
        << "copy.vistamarq"
        << "“site.vistamarq” cannot be written: it is read-only." + offer;
}

void DesignFileActionsTest::saveRefused() {
    QFETCH(QString, change);
    QFETCH(QString, saveAs);
    QFETCH(QString, message);
    const QString site = File("site.vistamarq");
    QVERIFY(WriteFile(site, Json(Named(u"Site"))));
    QVERIFY(m_actions->OpenPath(site));
    m_document->SetNotes(u"edited");
    if (change == "read-only")
        QVERIFY(QFile::setPermissions(site, QFile::ReadOwner));
    else if (change == "rewritten")
        QVERIFY(WriteFile(site, Json(Named(u"Theirs"))));
    else if (change == "deleted")
        QVERIFY(QFile::remove(site));
    m_actions->answers = {saveAs.isEmpty() ? QMessageBox::Cancel : QMessageBox::Save};
    m_actions->fileNames = {saveAs.isEmpty() ? QString() : File(saveAs)};

    QCOMPARE(m_actions->Save(), !saveAs.isEmpty());
    QCOMPARE(m_actions->messages, QStringList{message});
    QCOMPARE(m_document->IsModified(), saveAs.isEmpty());
    QCOMPARE(m_document->Path(), saveAs.isEmpty() ? site : File(saveAs));
    QCOMPARE(QString::fromStdU16String(m_document->Current().notes), "edited");
    QFile::setPermissions(site, QFile::ReadOwner | QFile::WriteOwner);
}

void DesignFileActionsTest::openRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("json");  // saved as a design file; empty: the file as named
    QTest::addColumn<QString>("message");
    QTest::newRow("garbage") << "garbage.vistamarq" << QByteArray()
                             << "“garbage.vistamarq” is not a Vistamarq design: it is not a "
                                "SQLite database.";
    QTest::newRow("a folder") << "folder.vistamarq" << QByteArray()
                              << "“folder.vistamarq” is not a Vistamarq design: it is a folder.";
    QTest::newRow("a value out of range")
        << "range.vistamarq"
        << QByteArray(R"({"format": "vistamarq-design", "cameras": [{"name": "Gate",
           "focalMm": -4}]})")
        << "Cannot open “range.vistamarq”:\n\nCamera 1 (\"Gate\"): the focal length −4 mm is "
           "out of range (0.1 to 10000 mm).";
}

void DesignFileActionsTest::openRefused() {
    QFETCH(QString, name);
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    const QString path = File(name);
    QFile file(path);
    if (!json.isEmpty())
        QVERIFY(WriteFile(path, json));
    else if (name.startsWith("folder"))
        QVERIFY(QDir().mkpath(path));
    else
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Harbour gate\n") > 0);
    file.close();
    const QByteArray fileBefore = Bytes(path);
    RecentFiles().Add(path);
    m_document->Rename(u"Kept");
    QSignalSpy replaced(m_actions.get(), &DesignFileActions::designReplaced);

    QVERIFY(!m_actions->OpenPath(path));
    QCOMPARE(m_actions->messages, QStringList{message});
    QCOMPARE(NameOf(m_document->Current()), "Kept");
    QVERIFY(m_document->IsModified());
    QCOMPARE(replaced.count(), 0);
    QCOMPARE(RecentFiles().Files(), QStringList());
    QCOMPARE(Bytes(path), fileBefore);
}

void DesignFileActionsTest::recentMenu() {
    QMenu* menu = m_actions->RecentMenu();
    const auto shown = [menu] {
        emit menu->aboutToShow();
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text() + (action->isEnabled() ? " | " + action->toolTip() : "");
        return items;
    };
    QCOMPARE(shown(), QStringList{"No recent designs"});
    QVERIFY(WriteFile(File("a&b.vistamarq"), Json(Named(u"AB"))));
    QVERIFY(WriteFile(File("c.vistamarq"), Json(Named(u"C"))));
    QVERIFY(m_actions->OpenPath(File("a&b.vistamarq")));
    QVERIFY(m_actions->OpenPath(File("c.vistamarq")));
    QCOMPARE(shown(), (QStringList{"&1 c.vistamarq | " + File("c.vistamarq"),
                                   "&2 a&&b.vistamarq | " + File("a&b.vistamarq")}));
    // Chosen while the design has changes: asked first, then opened.
    m_document->Rename(u"Changed");
    m_actions->answers = {QMessageBox::Discard};
    menu->actions().at(1)->trigger();
    QCOMPARE(m_actions->messages, QStringList{"Save changes to Changed?"});
    QCOMPARE(NameOf(m_document->Current()), "AB");
}

void DesignFileActionsTest::recovery_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes: restored, untitled and modified") << int(QMessageBox::Yes);
    QTest::newRow("No: the copy discarded") << int(QMessageBox::No);
}

void DesignFileActionsTest::recovery() {
    QFETCH(int, answer);
    QVERIFY(!m_actions->OfferRecovery());
    QVERIFY(QDir().mkpath(RecoveryFolder()));
    const QString copy = RecoveryFolder() + "/design-999999.vistamarq";
    QVERIFY(WriteFile(copy, Json(Named(u"Lost"))));
    const QString question = RestoreQuestion(QFileInfo(copy).lastModified());
    m_actions->answers = {QMessageBox::StandardButton(answer)};

    const bool restored = answer == QMessageBox::Yes;
    QCOMPARE(m_actions->OfferRecovery(), restored);
    QCOMPARE(m_actions->messages, QStringList{question});
    QVERIFY(!QFile::exists(copy));
    QCOMPARE(NameOf(m_document->Current()), restored ? "Lost" : "");
    QCOMPARE(m_document->IsModified(), restored);
    QVERIFY(m_document->Path().isEmpty());
}

void DesignFileActionsTest::recoveryCopyFailureToldOnce() {
    QVERIFY(WriteFile(RecoveryFolder(), "not a folder"));
    for (int change = 1; change <= 2 * RecoveryCopies::kChangesPerCopy; ++change)
        m_document->Rename(QString("Site %1").arg(change).toStdU16String());
    QCOMPARE(m_actions->messages.size(), 1);
    QVERIFY2(
        m_actions->messages.first().startsWith("The design's recovery copy cannot be written:"),
        qPrintable(m_actions->messages.first()));
    QVERIFY(QFile::remove(RecoveryFolder()));
}

void DesignFileActionsTest::exports() {
    m_actions->fileNames = {File("schedule.csv"), File("missing/schedule.csv"), File("report.pdf")};
    m_actions->ExportSchedule();
    QFile csv(File("schedule.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readLine(),
             "Name,Sensor format,Resolution,Focal length (mm),Lens model,"
             "Distance (m),Mounting height (m),Density at the target (px/m),"
             "Level reached,Level required,Level met\r\n");
    QCOMPARE(csv.readLine(),
             "Camera 1,\"1/3\"\"\",1920 \xc3\x97 1440,4,,6.10,,262.5,Identify,Identify,met\r\n");
    QCOMPARE(m_actions->messages, QStringList());
    m_actions->ExportSchedule();
    QCOMPARE(m_actions->messages.size(), 1);
    QVERIFY(m_actions->messages.front().startsWith(
        QDir::toNativeSeparators(File("missing/schedule.csv")) + " was not written: "));

    m_actions->ExportReport();
    QTRY_VERIFY(QFileInfo(File("report.pdf")).size() > 0);
    m_actions->printTo = File("printed.pdf");
    m_actions->PrintReport();
    QVERIFY(QFileInfo(File("printed.pdf")).size() > 0);
    QCOMPARE(m_actions->messages.size(), 1);
}

QTEST_MAIN(DesignFileActionsTest)
#include "test_design_file_actions.moc"
