// The settings reader on real files: which bytes become the grouping mark, and that nothing the
// file system offers makes it fail.
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include <sys/stat.h>

#include "settings_file.h"

class SettingsFileTest : public QObject {
    Q_OBJECT

  private slots:
    void secondLine_data();
    void secondLine();
    void noFileToRead_data();
    void noFileToRead();

  private:
    QTemporaryDir dir;
};

void SettingsFileTest::secondLine_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("CR LF") << QByteArray(",\r\n.\r\n") << QByteArray(".");
    QTest::newRow("LF") << QByteArray(",\n.\n") << QByteArray(".");
    QTest::newRow("CR alone") << QByteArray(",\r.\r") << QByteArray(".");
    QTest::newRow("no final line end") << QByteArray(",\r\n.") << QByteArray(".");
    QTest::newRow("blanks kept") << QByteArray(",\r\n . \r\n") << QByteArray(" . ");
    QTest::newRow("two characters returned whole") << QByteArray(",\r\nab") << QByteArray("ab");
    QTest::newRow("code-page byte unchanged") << QByteArray(",\r\n\xa0\r\n") << QByteArray("\xa0");
    QTest::newRow("third line ignored") << QByteArray(",\r\n.\r\nx") << QByteArray(".");
    QTest::newRow("LF CR: second line empty") << QByteArray(",\n\r.") << QByteArray();
    QTest::newRow("second line empty") << QByteArray(",\r\n\r\n.") << QByteArray();
    QTest::newRow("first line empty") << QByteArray("\r\n.\r\n") << QByteArray();
    QTest::newRow("first line empty, LF") << QByteArray("\n.") << QByteArray();
    QTest::newRow("one line") << QByteArray(",\r\n") << QByteArray();
    QTest::newRow("one line without line end") << QByteArray(",") << QByteArray();
    QTest::newRow("empty file") << QByteArray() << QByteArray();
    QTest::newRow("long file: only the start counts")
        << QByteArray(",\r\n.\r\n") + QByteArray(1 << 20, '\0') << QByteArray(".");
    QTest::newRow("5,000-character first line")
        << QByteArray(5000, 'x') + "\r\n." << QByteArray(".");
    QTest::newRow("16 MB first line, LF") << QByteArray(1 << 24, 'x') + "\n," << QByteArray(",");
    QTest::newRow("long second line: its start is kept")
        << ",\n" + QByteArray(10000, 'y') << QByteArray(4096, 'y');
}

void SettingsFileTest::secondLine() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, second);
    QFile file(dir.filePath("Vistamarq"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    QCOMPARE(QByteArray::fromStdString(ReadSettings(file.fileName().toStdString())), second);
}

void SettingsFileTest::noFileToRead_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "missing";
    QTest::newRow("a directory") << "folder";
    QTest::newRow("below a file") << "locked/Vistamarq";
    QTest::newRow("unreadable") << "locked";
    QTest::newRow("a named pipe without a writer") << "pipe";
    QTest::newRow("a link to an endless device") << "zero";
}

void SettingsFileTest::noFileToRead() {
    QFETCH(QString, name);
    const std::filesystem::path path = dir.filePath(name).toStdString();
    if (name == "folder") {
        std::filesystem::create_directory(path);
    } else if (name == "pipe") {
        QCOMPARE(mkfifo(path.c_str(), 0600), 0);  // opening it would wait forever
    } else if (name == "zero") {
        std::filesystem::create_symlink("/dev/zero", path);
    } else if (name == "locked") {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(",\r\n.\r\n");
        file.close();
        std::filesystem::permissions(path, std::filesystem::perms::none);
        if (QFile(file.fileName()).open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions");
    }
    QCOMPARE(QByteArray::fromStdString(ReadSettings(path)), QByteArray());
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "test_settings_file.moc"
