// The design window's files beside the design: File > Open Recent's list, kept apart from the
// calculator's settings, and the recovery copies written while the design has unsaved changes.
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "design_edits.h"
#include "plan_images.h"
#include "recent_files.h"
#include "recovery_copies.h"

using namespace std::chrono_literals;

class DesignFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void recentFiles_data();
    void recentFiles();
    void recoveryCopies_data();
    void recoveryCopies();
    void recoveryCopyFoundAtStart();
    void planDrawings_data();
    void planDrawings();

  private:
    QTemporaryDir m_home;
    QString m_designs;  // the user's design files: a, b, ... and a link to a
};

void DesignFilesTest::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", m_home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath("data").toUtf8());
    // Nothing of the user's own is written by this test.
    QVERIFY(RecentFilesSettingsPath().startsWith(m_home.path()));
    QVERIFY(RecoveryFolder().startsWith(m_home.path()));
    m_designs = m_home.filePath("designs");
}

void DesignFilesTest::init() {
    QDir(m_designs).removeRecursively();
    QDir(RecoveryFolder()).removeRecursively();
    QFile::remove(RecentFilesSettingsPath());
    QVERIFY(QDir().mkpath(m_designs));
    for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) {
        QFile file(m_designs + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(m_designs + "/a", m_designs + "/link-to-a"));
}

void DesignFilesTest::recentFiles_data() {
    QTest::addColumn<QString>("steps");  // "add a", "remove a", "gone a" (deleted), "menu"
    QTest::addColumn<QString>("files");  // as kept, most recent first
    QTest::newRow("most recent first") << "add a; add b; add c"
                                       << "c b a";
    QTest::newRow("opened again: first, listed once") << "add a; add b; add a"
                                                      << "a b";
    QTest::newRow("at most 8") << "add a; add b; add c; add d; add e; add f; add g; add h; "
                                  "add i; add j"
                               << "j i h g f e d c";
    QTest::newRow("one file reached through a link: once") << "add a; add link-to-a"
                                                           << "a";
    QTest::newRow("one file reached through ..: once") << "add a; add ../designs/a"
                                                       << "a";
    QTest::newRow("a file gone is kept until the menu is built") << "add a; add b; gone a"
                                                                 << "b a";
    QTest::newRow("a file gone is dropped from the menu") << "add a; add b; gone a; menu"
                                                          << "b";
    QTest::newRow("one that would not open, removed") << "add a; add b; remove a"
                                                      << "b";
}

void DesignFilesTest::recentFiles() {
    QFETCH(QString, steps);
    QFETCH(QString, files);
    RecentFiles recent;
    QStringList menu;
    for (const QString& step : steps.split("; ")) {
        const QString verb = step.section(u' ', 0, 0);
        const QString path = m_designs + '/' + step.section(u' ', 1);
        if (verb == "add")
            recent.Add(path);
        else if (verb == "remove")
            recent.Remove(path);
        else if (verb == "gone")
            QVERIFY(QFile::remove(path));
        else if (verb == "menu")
            menu = recent.FilesForMenu();
    }
    QStringList names;
    for (const QString& file : recent.Files()) {
        QCOMPARE(QFileInfo(file).path(), QFileInfo(m_designs).canonicalFilePath());
        names << QFileInfo(file).fileName();
    }
    QCOMPARE(names.join(u' '), files);
    if (steps.endsWith("menu"))
        QCOMPARE(menu, recent.Files());
    // Kept in a file of their own; the calculator's is never made.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY(QFile::exists(RecentFilesSettingsPath()));
    QVERIFY(!QFile::exists(config + "/Vistamarq"));
    QCOMPARE(QDir(config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"vistamarq-designs.ini"});
}

void DesignFilesTest::recoveryCopies_data() {
    QTest::addColumn<QString>("steps");  // "change 5", "modified", "saved", "discarded", "tick"
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("copyThere");
    QTest::newRow("unmodified: nothing, however many changes") << "change 45; tick" << 0 << false;
    QTest::newRow("19 changes: not yet") << "change 1; modified; change 18" << 0 << false;
    QTest::newRow("every 20th change") << "change 1; modified; change 59" << 3 << true;
    QTest::newRow("on the timer") << "change 1; modified; tick" << 1 << true;
    QTest::newRow("on the timer, only after a change")
        << "change 1; modified; tick; tick; change 1; tick" << 2 << true;
    QTest::newRow("saved: the copy removed, no more written")
        << "change 1; modified; change 19; saved; change 20; tick" << 1 << false;
    QTest::newRow("discarded: the copy removed, no more written")
        << "change 1; modified; tick; discarded; change 20; tick" << 1 << false;
    QTest::newRow("modified again after a save")
        << "change 1; modified; tick; saved; change 1; modified; tick" << 2 << true;
}

void DesignFilesTest::recoveryCopies() {
    QFETCH(QString, steps);
    QFETCH(int, written);
    QFETCH(bool, copyThere);
    constexpr auto interval = 40ms;
    int saves = 0;
    RecoveryCopies copies(
        [&](const QString& path) -> std::optional<QString> {
            ++saves;
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                return file.errorString();
            file.write("design");
            return std::nullopt;
        },
        interval);
    QCOMPARE(QFileInfo(copies.CopyPath()).fileName(),
             QStringLiteral("design-%1.vistamarq").arg(QCoreApplication::applicationPid()));
    for (const QString& step : steps.split("; ")) {
        if (step.startsWith("change")) {
            for (int n = step.section(u' ', 1).toInt(); n > 0; --n)
                copies.NoteChange();
        } else if (step == "modified") {
            copies.SetModified(true);
        } else if (step == "saved") {
            copies.SetModified(false);
        } else if (step == "discarded") {
            copies.Remove();
        } else if (step == "tick") {
            QTest::qWait(interval.count() * 5);
        }
    }
    QCOMPARE(saves, written);
    QCOMPARE(QFile::exists(copies.CopyPath()), copyThere);
}

void DesignFilesTest::recoveryCopyFoundAtStart() {
    QVERIFY(!FindRecoveryCopy());
    QVERIFY(QDir().mkpath(RecoveryFolder()));
    const QDate today = QDate::currentDate();
    const auto copy = [&](qint64 pid, QTime time) {
        QFile file(RecoveryFolder() + QStringLiteral("/design-%1.vistamarq").arg(pid));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime(today, time), QFileDevice::FileModificationTime));
    };
    QProcess ended;
    ended.start("true");
    QVERIFY(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QProcess running;
    running.start("sleep", {"30"});
    QVERIFY(running.waitForStarted());

    // The running program's copy is its own, however recent; of those left behind, the newest.
    copy(running.processId(), QTime(15, 30));
    copy(endedPid, QTime(14, 2));
    copy(QCoreApplication::applicationPid(), QTime(9, 15));
    std::optional<RecoveryCopy> found = FindRecoveryCopy();
    QVERIFY(found);
    QCOMPARE(QFileInfo(found->path).fileName(),
             QStringLiteral("design-%1.vistamarq").arg(endedPid));
    QCOMPARE(RestoreQuestion(found->lastWritten, QLocale(QLocale::English, QLocale::UnitedKingdom)),
             "Restore the design you were working on, last saved 14:02?");

    // An earlier program with this program's id left one behind.
    QVERIFY(QFile::remove(found->path));
    found = FindRecoveryCopy();
    QVERIFY(found);
    QCOMPARE(found->lastWritten.time(), QTime(9, 15));

    running.kill();
    QVERIFY(running.waitForFinished());
    found = FindRecoveryCopy();
    QVERIFY(found);
    QCOMPARE(found->lastWritten.time(), QTime(15, 30));
}

void DesignFilesTest::planDrawings_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("inFile");  // the drawings the saved file holds, "a b"
    QTest::newRow("imported, saved: written") << "import a; save"
                                              << "a";
    QTest::newRow("two plans on one drawing: written once") << "import a; import a; save"
                                                            << "a";
    QTest::newRow("dropped before the save: not written") << "import a; drop; save"
                                                          << "";
    QTest::newRow("dropped after a save: dropped at the next") << "import a; save; drop; save"
                                                               << "";
    QTest::newRow("dropped, saved, then back: written again from memory")
        << "import a; save; drop; save; back a; save"
        << "a";
    QTest::newRow("opened from a file, saved as another: copied") << "import a; save; saveas; save"
                                                                  << "a";
    QTest::newRow("replaced by another drawing") << "import a; save; import b; save"
                                                 << "b";
}

// Steps on a design with one plan: "import a" (drawing "a", the plan on it), "drop" (the plan's
// drawing taken away), "back a", "save" (to the file), "saveas" (the next saves to another file).
void DesignFilesTest::planDrawings() {
    QFETCH(QString, steps);
    QFETCH(QString, inFile);
    Design design = AddPlan(NewDesign(LengthUnit::Metres), u"Ground floor");
    PlanImages images;
    QString path = m_designs + "/site.vistamarq";
    QHash<QString, QString> names;  // sha256 → "a"
    for (const QString& step : steps.split("; ")) {
        const QString word = step.section(' ', 1);
        if (step.startsWith("import")) {
            const DesignBlob blob = MakeDesignBlob("image/png", "drawing " + word.toUtf8());
            names.insert(blob.sha256, word);
            images.Add(blob);
            design = SetPlanImage(design, "p1", blob.sha256.toStdString());
        } else if (step == "drop") {
            design = SetPlanImage(design, "p1", std::nullopt);
        } else if (step.startsWith("back")) {
            design = SetPlanImage(design, "p1", names.key(word).toStdString());
        } else if (step == "saveas") {
            path = m_designs + "/other.vistamarq";
        } else {
            DesignSave save{"{}"};
            images.FillSave(design, save);
            QVERIFY(std::holds_alternative<DesignFileStamp>(SaveDesignFile(path, save)));
            images.MarkSaved(path, design);
        }
    }
    const auto opened = OpenDesignFile(path);
    QVERIFY(std::holds_alternative<OpenedDesign>(opened));
    QStringList held;
    for (const QString& sha256 : std::get<OpenedDesign>(opened).blobs)
        held << names.value(sha256, "?");
    held.sort();
    QCOMPARE(held.join(' '), inFile);
    // What the design uses is at hand, from the file where it was saved.
    for (const QString& sha256 : DrawingsOf(design))
        QVERIFY(std::holds_alternative<DesignBlob>(images.Get(sha256)));
}

QTEST_GUILESS_MAIN(DesignFilesTest)
#include "test_design_files.moc"
