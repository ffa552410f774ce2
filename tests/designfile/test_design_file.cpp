// The design file on a real disk: what a save then an open gives back, every file it refuses and
// the exact message, saves refused or failing without losing the old file, and saves killed at
// random moments. Run with `--keep-saving PATH SEQUENCE PICTURE` it is the program being killed.
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <thread>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "design_file_store.h"

static const DesignBlob kPlan = MakeDesignBlob("image/png", QByteArray(300'000, 'p'));
static const DesignBlob kPhoto = MakeDesignBlob("image/jpeg", "photo");

// A regular file's bytes; nothing for a pipe or a device, which could be read for ever.
static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                      : QByteArray();
}

static struct stat Status(const QString& path) {
    struct stat status {};
    ::stat(qPrintable(path), &status);
    return status;
}

// Runs SQL on a file as another program would, behind the design file's back.
static bool RunSql(const QString& path, const QStringList& statements) {
    bool done = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "another program");
        db.setDatabaseName(path);
        done = db.open();
        for (const QString& statement : statements)
            done = done && QSqlQuery(db).exec(statement);
    }
    QSqlDatabase::removeDatabase("another program");
    return done;
}

static QByteArray DesignText(int sequence, const QString& picture, const QString& previous) {
    QByteArray json = QStringLiteral(R"({"sequence":%1,"picture":"%2","previous":"%3","cameras":[)")
                          .arg(sequence)
                          .arg(picture, previous)
                          .toUtf8();
    for (int camera = 0; camera < std::min(sequence * 10, 1000); ++camera)
        json += R"({"name":"Camera )" + QByteArray::number(camera) + R"(","focal":"4"},)";
    json.chop(1);
    const QByteArray hash = QCryptographicHash::hash(json, QCryptographicHash::Sha256).toHex();
    return json + R"(],"check":")" + hash + R"("})";
}

// The program being killed: saves a growing design in a loop, each with a new picture.
static int KeepSaving(const QString& path, int sequence, QString previous) {
    std::optional<DesignFileStamp> expected;
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        ++sequence;
        const DesignBlob picture = MakeDesignBlob("text/plain", QByteArray::number(sequence));
        const QStringList kept = previous.isEmpty() ? QStringList() : QStringList{previous};
        const auto saved = SaveDesignFile(
            path,
            {DesignText(sequence, picture.sha256, previous), {picture}, kept, path, expected});
        if (saved.index() == 1) {
            std::fprintf(stderr, "%s\n", qPrintable(std::get<1>(saved)));
            return 1;
        }
        expected = std::get<0>(saved);
        previous = picture.sha256;
    }
}

class DesignFileTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void savingAgainKeepsOnlyUsedPictures();
    void pictureRefusals_data();
    void pictureRefusals();
    void openRefusals_data();
    void openRefusals();
    void saveRefusals_data();
    void saveRefusals();
    void fullDisk_data();
    void fullDisk();
    void savesOnSeveralThreads();
    void killedWhileSaving();

  private:
    QString path() const { return dir.filePath("site.vistamarq"); }
    void saveFirst(const QByteArray& json = "{}", const std::vector<DesignBlob>& blobs = {kPlan}) {
        const auto saved = SaveDesignFile(path(), {json, blobs});
        QVERIFY(std::holds_alternative<DesignFileStamp>(saved));
    }
    std::unique_ptr<QTemporaryDir> folder;
    QDir dir;
};

void DesignFileTest::init() {
    // A connection left in use or shared makes Qt SQL warn.
    QTest::failOnWarning(QRegularExpression(".*"));
    folder = std::make_unique<QTemporaryDir>();
    dir = QDir(folder->path());
}

void DesignFileTest::roundTrip_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<std::vector<DesignBlob>>("blobs");
    QTest::addColumn<QByteArray>("before");  // the file the save replaces; empty: none
    QTest::newRow("new file, no pictures")
        << QByteArray("{}") << std::vector<DesignBlob>{} << QByteArray();
    QTest::newRow("text kept byte for byte, invalid UTF-8 too")
        << QByteArray("{\"name\":\"Caméra “Nord” – 5 m\"}\r\n\xff") << std::vector<DesignBlob>{}
        << QByteArray();
    QTest::newRow("two pictures, one given twice")
        << QByteArray("[]") << std::vector<DesignBlob>{kPlan, kPhoto, kPhoto} << QByteArray();
    QTest::newRow("over a text file the user chose to replace")
        << QByteArray("{}") << std::vector<DesignBlob>{kPhoto} << QByteArray("notes\n");
}

void DesignFileTest::roundTrip() {
    QFETCH(QByteArray, json);
    QFETCH(std::vector<DesignBlob>, blobs);
    QFETCH(QByteArray, before);
    if (!before.isEmpty()) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before));
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    }
    const auto saved = SaveDesignFile(path(), {json, blobs});
    QVERIFY(std::holds_alternative<DesignFileStamp>(saved));
    const auto opened = OpenDesignFile(path());
    QVERIFY(std::holds_alternative<OpenedDesign>(opened));
    QCOMPARE(std::get<OpenedDesign>(opened).json, json);
    QCOMPARE(std::get<OpenedDesign>(opened).stamp, std::get<DesignFileStamp>(saved));
    QStringList names;
    for (const DesignBlob& blob : blobs) {
        const auto read = ReadDesignBlob(path(), blob.sha256);
        QVERIFY(std::holds_alternative<DesignBlob>(read));
        QCOMPARE(std::get<DesignBlob>(read).bytes, blob.bytes);
        QCOMPARE(std::get<DesignBlob>(read).mime, blob.mime);
        names << blob.sha256;
    }
    names.removeDuplicates();
    names.sort();
    QCOMPARE(std::get<OpenedDesign>(opened).blobs, names);
    if (!before.isEmpty())  // whoever could read the replaced file still can
        QCOMPARE(Status(path()).st_mode & 0777, 0640u);
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"site.vistamarq"});
}

// Characters that mean something in a URI, in the name of the file saved in place and read from.
void DesignFileTest::savingAgainKeepsOnlyUsedPictures() {
    const QString file = dir.filePath("site #2 ?50%.vistamarq");
    QVERIFY(std::holds_alternative<DesignFileStamp>(SaveDesignFile(file, {"{}", {kPlan, kPhoto}})));
    const auto opened = std::get<OpenedDesign>(OpenDesignFile(file));
    const ino_t inode = Status(file).st_ino;
    const DesignBlob sketch = MakeDesignBlob("image/png", "sketch");
    // Save: the plan is dropped, the photo kept, a sketch added, in the same file.
    QVERIFY(std::holds_alternative<DesignFileStamp>(
        SaveDesignFile(file, {"[1]", {sketch}, {kPhoto.sha256}, file, opened.stamp})));
    QCOMPARE(Status(file).st_ino, inode);  // written in place
    QCOMPARE(std::get<OpenedDesign>(OpenDesignFile(file)).blobs,
             (QStringList{kPhoto.sha256, sketch.sha256}));
    QVERIFY2(QFileInfo(file).size() < 100'000, "the dropped plan's pages are given back");
    // Save As: the kept pictures are copied from the file the design came from.
    const QString copy = dir.filePath("copy.vistamarq");
    QVERIFY(std::holds_alternative<DesignFileStamp>(
        SaveDesignFile(copy, {"[2]", {}, {sketch.sha256}, file})));
    QCOMPARE(std::get<DesignBlob>(ReadDesignBlob(copy, sketch.sha256)).bytes, sketch.bytes);
    QCOMPARE(std::get<OpenedDesign>(OpenDesignFile(copy)).blobs, QStringList{sketch.sha256});
}

void DesignFileTest::pictureRefusals_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "DELETE FROM blob"
                             << "“site.vistamarq” is damaged: a picture it uses is missing.";
    QTest::newRow("altered on disk")
        << "UPDATE blob SET bytes = 'x'"
        << "“site.vistamarq” is damaged: a picture in it has been altered.";
}

void DesignFileTest::pictureRefusals() {
    QFETCH(QString, sql);
    QFETCH(QString, message);
    saveFirst("{}", {kPhoto});
    QVERIFY(RunSql(path(), {sql}));
    const auto read = ReadDesignBlob(path(), kPhoto.sha256);
    QVERIFY(std::holds_alternative<QString>(read));
    QCOMPARE(std::get<QString>(read), message);
}

// Each row makes `site.vistamarq` (a design with a plan) into something else.
void DesignFileTest::openRefusals_data() {
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("message");
    const QString notADesign = "“site.vistamarq” is not a Vistamarq design: ";
    const QString damaged = "“site.vistamarq” is damaged: ";
    QTest::newRow("missing") << "remove"
                             << "“site.vistamarq” cannot be opened: there is no such file.";
    QTest::newRow("a folder") << "folder" << notADesign + "it is a folder.";
    QTest::newRow("a named pipe") << "pipe" << notADesign + "it is a named pipe.";
    QTest::newRow("a link to a device") << "device" << notADesign + "it is a device.";
    QTest::newRow("empty") << "empty" << notADesign + "it is empty.";
    QTest::newRow("text") << "text" << notADesign + "it is not a SQLite database.";
    QTest::newRow("magic flipped") << "flip 0" << notADesign + "it is not a SQLite database.";
    QTest::newRow("another program's database")
        << "PRAGMA application_id = 7"
        << notADesign + "it is a SQLite database of another program.";
    QTest::newRow("newer file version")
        << "PRAGMA user_version = 2"
        << "“site.vistamarq” was saved by a newer Vistamarq (file version 2); this one opens "
           "version 1.";
    QTest::newRow("no file version")
        << "PRAGMA user_version = 0" << damaged + "it has no file version.";
    QTest::newRow("no design row") << "DELETE FROM design" << damaged + "it holds no design.";
    QTest::newRow("no design table") << "DROP TABLE design" << damaged + "it holds no design.";
    QTest::newRow("two design rows")
        << "INSERT INTO design VALUES ('{}')" << damaged + "it holds more than one design.";
    QTest::newRow("no picture table")
        << "DROP TABLE blob" << damaged + "its table of pictures is missing.";
    QTest::newRow("cut short") << "truncate" << damaged + "the file has been cut short.";
    QTest::newRow("bit flipped in the design's page")
        << "flip design" << damaged + "SQLite found errors in it.";
    QTest::newRow("unreadable")
        << "unreadable"
        << "“site.vistamarq” cannot be opened: you are not allowed to read it.";
}

void DesignFileTest::openRefusals() {
    QFETCH(QString, make);
    QFETCH(QString, message);
    saveFirst();
    QFile file(path());
    if (make == "remove" || make == "folder" || make == "pipe" || make == "device")
        QVERIFY(file.remove());
    if (make == "folder")
        QVERIFY(dir.mkdir("site.vistamarq"));
    if (make == "pipe")
        QCOMPARE(mkfifo(qPrintable(path()), 0600), 0);
    if (make == "device")
        QVERIFY(QFile::link("/dev/zero", path()));
    if (make == "empty" || make == "text")
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(make == "text" ? "notes" : "") >= 0);
    if (make.front().isUpper())  // SQL
        QVERIFY(RunSql(path(), {make}));
    if (make == "truncate")
        QVERIFY(file.resize(file.size() / 2));
    if (make.startsWith("flip")) {
        // Page 3 is the design table's root (page 2 is the auto-vacuum's map): its type byte.
        const qint64 at = make == "flip design" ? 2 * 4096 : 0;
        QByteArray bytes = Bytes(path());
        bytes[at] = char(bytes[at] ^ 0x40);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes));
    }
    file.close();
    if (make == "unreadable") {
        QVERIFY(QFile::setPermissions(path(), {}));
        if (QFile(path()).open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions");
    }
    const QByteArray bytes = Bytes(path());
    const QDateTime modified = QFileInfo(path()).lastModified();
    const auto opened = OpenDesignFile(path());
    QVERIFY(std::holds_alternative<QString>(opened));
    QCOMPARE(std::get<QString>(opened), message);
    QCOMPARE(Bytes(path()), bytes);
    QCOMPARE(QFileInfo(path()).lastModified(), modified);
}

void DesignFileTest::saveRefusals_data() {
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("message");  // %1: the folder
    const QString notSaved = "“site.vistamarq” could not be saved: ";
    QTest::newRow("marked read-only") << "read-only"
                                      << "“site.vistamarq” cannot be written: it is read-only.";
    QTest::newRow("changed by another program")
        << "change"
        << "“site.vistamarq” was changed by another program since it was opened.";
    QTest::newRow("replaced by another program")
        << "replace"
        << "“site.vistamarq” was changed by another program since it was opened.";
    QTest::newRow("deleted by another program")
        << "delete"
        << "“site.vistamarq” was deleted or moved by another program since it was opened.";
    QTest::newRow("its folder gone")
        << "remove folder" << notSaved + "its folder “%1” does not exist.";
    QTest::newRow("a folder in the way") << "folder" << notSaved + "it is a folder.";
    QTest::newRow("a kept picture missing")
        << "keep a missing picture"
        << notSaved + "a picture it uses is missing from “site.vistamarq”.";
    QTest::newRow("a picture not named by its bytes")
        << "misnamed picture" << notSaved + "a picture does not match its name.";
}

void DesignFileTest::saveRefusals() {
    QFETCH(QString, make);
    QFETCH(QString, message);
    saveFirst("old");
    const auto opened = std::get<OpenedDesign>(OpenDesignFile(path()));
    DesignSave save{"new", {kPhoto}, {kPlan.sha256}, path(), opened.stamp};
    QString target = path();
    if (make == "read-only")
        QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadOther));
    if (make == "change")
        QVERIFY(RunSql(path(), {"UPDATE design SET json = 'theirs'"}));
    if (make == "replace") {
        QVERIFY(QFile::copy(path(), path() + ".theirs") && QFile::remove(path()));
        QVERIFY(QFile::rename(path() + ".theirs", path()));
    }
    if (make == "delete")
        QVERIFY(QFile::remove(path()));
    if (make == "remove folder")
        target = dir.filePath("gone/site.vistamarq");
    if (make == "folder") {
        target = dir.filePath("folder/site.vistamarq");
        QVERIFY(dir.mkpath(target));
    }
    if (make == "keep a missing picture")
        save.keptBlobs << QString(64, 'a');
    if (make == "misnamed picture")
        save.newBlobs[0].bytes = "another photo";
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
    const QByteArray bytes = Bytes(path());
    const auto saved = SaveDesignFile(target, save);
    QVERIFY(std::holds_alternative<QString>(saved));
    if (make == "remove folder")
        message = message.arg(QDir::toNativeSeparators(dir.filePath("gone")));
    QCOMPARE(std::get<QString>(saved), message);
    QCOMPARE(Bytes(path()), bytes);
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), files);
    if (make == "read-only")  // the window offers Save As from the design still open
        QVERIFY(std::holds_alternative<OpenedDesign>(OpenDesignFile(path())));
}

void DesignFileTest::fullDisk_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("saving the design in place") << "site.vistamarq";
    QTest::newRow("as a new file") << "copy.vistamarq";
}

// A disk with no room left: a small tmpfs mounted on the test's folder. Mounting needs root (in
// this process's own mount namespace, so the mount is seen by nobody else and goes with it);
// other users skip the test. A file size limit (RLIMIT_FSIZE) would fail writes with EFBIG, which
// SQLite reports as a disk I/O error, not as a full disk.
void DesignFileTest::fullDisk() {
    QFETCH(QString, name);
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        QSKIP("a small file system to fill can be mounted only by root");
    QVERIFY(::mount("tmpfs", qPrintable(dir.path()), "tmpfs", 0, "size=1m") == 0);
    const auto unmount = qScopeGuard([&] { ::umount2(qPrintable(dir.path()), MNT_DETACH); });
    saveFirst("old", {kPhoto});
    QFile filler(dir.filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
    }
    filler.close();
    const auto saved =
        SaveDesignFile(dir.filePath(name), {"new", {kPlan}, {kPhoto.sha256}, path()});
    QVERIFY(std::holds_alternative<QString>(saved));
    QCOMPARE(std::get<QString>(saved), "“" + name + "” could not be saved: the disk is full.");
    QCOMPARE(std::get<OpenedDesign>(OpenDesignFile(path())).json, QByteArray("old"));
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "site.vistamarq"}));
}

void DesignFileTest::savesOnSeveralThreads() {
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&, thread] {
            const QString file = dir.filePath(QString::number(thread) + ".vistamarq");
            for (int save = 0; save < 10; ++save) {
                const QByteArray json = QByteArray::number(save);
                const auto saved = SaveDesignFile(file, {json, {kPhoto}, {}, file});
                const auto reopened = OpenDesignFile(file);
                failures += saved.index() == 1 || reopened.index() == 1 ||
                            std::get<OpenedDesign>(reopened).json != json;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(failures.load(), 0);
}

// At least 200 times, a program saving a growing design in a loop is killed at a random moment;
// the file then always opens, without being written to, as a whole design that the program saved,
// with exactly the pictures that design names, and never goes back to an older one; the next
// save, by the next program, starts from it.
void DesignFileTest::killedWhileSaving() {
    int sequence = 0;
    QString picture;
    QElapsedTimer timer;
    timer.start();
    int kills = 0;
    int interrupted = 0;  // kills that left a save half-done
    for (; kills < 200 && timer.elapsed() < 50'000; ++kills) {
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(),
                    {"--keep-saving", path(), QString::number(sequence), picture});
        QVERIFY(saver.waitForReadyRead(10'000));
        ::usleep(QRandomGenerator::global()->bounded(80'000));
        saver.kill();
        QVERIFY(saver.waitForFinished(10'000));
        // Killed, not stopped by a refusal.
        QVERIFY2(saver.exitStatus() == QProcess::CrashExit, saver.readAllStandardError());
        interrupted += QFile::exists(path() + "-journal");
        const QByteArray bytes = Bytes(path());
        const auto opened = OpenDesignFile(path());
        if (sequence == 0 && !QFile::exists(path()))
            continue;
        const QString* refusal = std::get_if<QString>(&opened);
        QVERIFY2(!refusal, qPrintable(refusal ? *refusal : QString()));
        const OpenedDesign& design = std::get<OpenedDesign>(opened);
        const QJsonObject json = QJsonDocument::fromJson(design.json).object();
        const int saved = json["sequence"].toInt();
        QVERIFY(saved >= sequence && saved > 0);
        const QString previous = json["previous"].toString();
        QCOMPARE(design.json, DesignText(saved, json["picture"].toString(), previous));
        QStringList names{json["picture"].toString()};
        if (!previous.isEmpty())
            names << previous;
        names.sort();
        QCOMPARE(design.blobs, names);
        for (const QString& name : names)
            QVERIFY(std::holds_alternative<DesignBlob>(ReadDesignBlob(path(), name)));
        QCOMPARE(Bytes(path()), bytes);  // a half-done save is undone on a copy, not in the file
        sequence = saved;
        picture = json["picture"].toString();
    }
    QVERIFY2(kills >= 200, qPrintable(QStringLiteral("only %1 kills in 50 s").arg(kills)));
    qInfo("%d kills in %lld ms, %d of them during a save, after %d saves", kills, timer.elapsed(),
          interrupted, sequence);
    QVERIFY2(interrupted >= kills / 4, "most kills fell between saves");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--keep-saving") == 0)
        return KeepSaving(argv[2], std::atoi(argv[3]), argv[4]);
    DesignFileTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_design_file.moc"
