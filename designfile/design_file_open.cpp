// Opening a design file and reading its blobs, without ever writing to it.
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cerrno>
#include <cstring>
#include <functional>

#include "design_file_store.h"
#include "file_on_disk.h"
#include "sqlite_connection.h"

namespace {

// A file that passed the checks made before SQLite may touch it.
struct CheckedFile {
    QString file;  // the path with symbolic links resolved, where SQLite looks for its journal
    PathFacts facts;
};

QString NotADesign(const QString& path, const QString& why) {
    return QStringLiteral("%1 is not a Vistamarq design: %2.").arg(Quoted(path), why);
}

QString Damaged(const QString& path, const QString& why) {
    return QStringLiteral("%1 is damaged: %2.").arg(Quoted(path), why);
}

QString CannotOpen(const QString& path, int error) {
    const QString why = error == EACCES ? QStringLiteral("you are not allowed to read it")
                                        : QString::fromLocal8Bit(std::strerror(error));
    return QStringLiteral("%1 cannot be opened: %2.").arg(Quoted(path), why);
}

std::variant<CheckedFile, QString> CheckBeforeOpening(const QString& path) {
    const PathFacts facts = LookAt(path);
    if (facts.kind == FileKind::Missing)
        return QStringLiteral("%1 cannot be opened: there is no such file.").arg(Quoted(path));
    if (facts.kind == FileKind::Unreachable)
        return CannotOpen(path, facts.error);
    if (facts.kind != FileKind::Regular)
        return NotADesign(path, WhatItIs(facts.kind));
    const QString file = QFileInfo(path).canonicalFilePath();
    const HeaderReading reading = ReadSqliteHeader(file);
    if (!reading.header)
        return CannotOpen(path, reading.error);
    const SqliteHeader& header = *reading.header;
    if (reading.size == 0)
        return NotADesign(path, QStringLiteral("it is empty"));
    if (!header.isSqlite)
        return NotADesign(path, QStringLiteral("it is not a SQLite database"));
    if (header.applicationId != kDesignFileApplicationId)
        return NotADesign(path, QStringLiteral("it is a SQLite database of another program"));
    if (header.userVersion > kDesignFileVersion) {
        return QStringLiteral(
                   "%1 was saved by a newer Vistamarq (file version %2); this one opens "
                   "version %3.")
            .arg(Quoted(path))
            .arg(header.userVersion)
            .arg(kDesignFileVersion);
    }
    if (header.userVersion < kDesignFileVersion)
        return Damaged(path, QStringLiteral("it has no file version"));
    // While an interrupted save's journal lies beside it the file may rightly be shorter than its
    // header says: the journal puts that right.
    const bool journalBeside = QFileInfo::exists(file + QStringLiteral("-journal"));
    if (!journalBeside && std::int64_t{header.pageCount} * header.pageSize > reading.size)
        return Damaged(path, QStringLiteral("the file has been cut short"));
    return CheckedFile{file, facts};
}

// A reading's outcome: done, refused with a message, or stopped by SQLite.
using Reading = std::variant<std::monostate, QString, SqlFailure>;

QString MessageFor(const QString& path, const SqlFailure& failure) {
    switch (failure.primaryCode()) {
        case sqlite_code::kCorrupt:
        case sqlite_code::kNotADatabase:
            return Damaged(path, QStringLiteral("SQLite found errors in it"));
        case sqlite_code::kBusy:
        case sqlite_code::kLocked:
            return QStringLiteral("%1 cannot be opened now: another program is saving it.")
                .arg(Quoted(path));
        default:
            return QStringLiteral("%1 cannot be opened: %2.").arg(Quoted(path), failure.text);
    }
}

Reading ReadOn(const QString& file, const QString& options,
               const std::function<Reading(SqliteConnection&)>& read) {
    SqliteConnection connection(file, options);
    if (connection.openFailure())
        return *connection.openFailure();
    return read(connection);
}

// Runs `read` on a read-only connection to the checked file. A save that was interrupted left
// its journal beside the file, and SQLite must roll it back before anything can be read, which
// a read-only connection may not do; then the file and its journal are copied to a private
// folder and the copy is rolled back and read, so that the user's file is never written here.
std::optional<QString> ReadDesignFile(const QString& path, const QString& file,
                                      const std::function<Reading(SqliteConnection&)>& read) {
    Reading reading = ReadOn(file, QStringLiteral("QSQLITE_OPEN_READONLY"), read);
    const auto* failure = std::get_if<SqlFailure>(&reading);
    if (failure && failure->code == sqlite_code::kReadOnlyRollback) {
        QTemporaryDir folder;
        const QString copy = folder.filePath(QStringLiteral("design.vistamarq"));
        const QString journal = QStringLiteral("-journal");
        const bool copied = folder.isValid() && QFile::copy(file, copy) &&
                            QFile::copy(file + journal, copy + journal);
        if (!copied) {
            return QStringLiteral(
                       "%1 cannot be opened: its last save was interrupted, and there "
                       "is no room to undo that on a copy.")
                .arg(Quoted(path));
        }
        // The copies keep the originals' permissions; the rollback must write to them.
        const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
        QFile::setPermissions(copy, readWrite);
        QFile::setPermissions(copy + journal, readWrite);
        reading = ReadOn(copy, QString(), read);
    }
    if (const auto* message = std::get_if<QString>(&reading))
        return *message;
    if (const auto* sqlFailure = std::get_if<SqlFailure>(&reading))
        return MessageFor(path, *sqlFailure);
    return std::nullopt;
}

Reading ReadContents(SqliteConnection& connection, const QString& path, OpenedDesign& opened) {
    QString check;
    auto failure = connection.run(QStringLiteral("PRAGMA quick_check(1)"), {},
                                  [&](const QSqlQuery& row) { check = row.value(0).toString(); });
    if (failure)
        return *failure;
    if (check != QLatin1String("ok"))
        return Damaged(path, QStringLiteral("SQLite found errors in it"));

    int designs = 0;
    // Read as a blob: the text's bytes exactly as saved, without a round trip through UTF-16.
    failure = connection.run(QStringLiteral("SELECT CAST(json AS BLOB) FROM design LIMIT 2"), {},
                             [&](const QSqlQuery& row) {
                                 if (!row.isNull(0))
                                     ++designs;
                                 opened.json = row.value(0).toByteArray();
                             });
    if (failure && failure->primaryCode() != sqlite_code::kError)
        return *failure;
    if (failure || designs == 0)
        return Damaged(path, QStringLiteral("it holds no design"));
    if (designs > 1)
        return Damaged(path, QStringLiteral("it holds more than one design"));

    failure =
        connection.run(QStringLiteral("SELECT sha256 FROM blob ORDER BY sha256"), {},
                       [&](const QSqlQuery& row) { opened.blobs << row.value(0).toString(); });
    if (failure && failure->primaryCode() != sqlite_code::kError)
        return *failure;
    if (failure)
        return Damaged(path, QStringLiteral("its table of pictures is missing"));
    return {};
}

}  // namespace

DesignBlob MakeDesignBlob(const QString& mime, const QByteArray& bytes) {
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return {QString::fromLatin1(hash.toHex()), mime, bytes};
}

std::variant<OpenedDesign, QString> OpenDesignFile(const QString& path) {
    const auto checked = CheckBeforeOpening(path);
    if (const auto* message = std::get_if<QString>(&checked))
        return *message;
    const CheckedFile& file = std::get<CheckedFile>(checked);
    OpenedDesign opened;
    const auto message = ReadDesignFile(path, file.file, [&](SqliteConnection& connection) {
        opened = OpenedDesign{};
        return ReadContents(connection, path, opened);
    });
    if (message)
        return *message;
    opened.stamp = file.facts.stamp;
    return opened;
}

std::variant<DesignBlob, QString> ReadDesignBlob(const QString& path, const QString& sha256) {
    const auto checked = CheckBeforeOpening(path);
    if (const auto* message = std::get_if<QString>(&checked))
        return *message;
    DesignBlob blob;
    bool found = false;
    const auto message = ReadDesignFile(
        path, std::get<CheckedFile>(checked).file, [&](SqliteConnection& connection) -> Reading {
            const auto failure = connection.run(
                QStringLiteral("SELECT mime, bytes FROM blob WHERE sha256 = ?"), {sha256},
                [&](const QSqlQuery& row) {
                    blob = MakeDesignBlob(row.value(0).toString(), row.value(1).toByteArray());
                    found = true;
                });
            if (failure)
                return *failure;
            return {};
        });
    if (message)
        return *message;
    if (!found)
        return Damaged(path, QStringLiteral("a picture it uses is missing"));
    // The name is the bytes' own hash: a blob that no longer matches it was altered on disk.
    if (blob.sha256 != sha256)
        return Damaged(path, QStringLiteral("a picture in it has been altered"));
    return blob;
}
