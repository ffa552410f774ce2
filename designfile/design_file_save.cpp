// Saving a design file: in one transaction into the file the design came from, or as a complete
// new file renamed over any other path.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "design_file_store.h"
#include "file_on_disk.h"
#include "sqlite_connection.h"

namespace {

QString CouldNotSave(const QString& path, const QString& why) {
    return QStringLiteral("%1 could not be saved: %2.").arg(Quoted(path), why);
}

QString ReadOnly(const QString& path) {
    return QStringLiteral("%1 cannot be written: it is read-only.").arg(Quoted(path));
}

QString ChangedSinceOpened(const QString& path) {
    return QStringLiteral("%1 was changed by another program since it was opened.")
        .arg(Quoted(path));
}

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A file name SQLite reads as a URI, so that `mode` can forbid creating a file that has gone.
QString SqliteUri(const QString& file, const QString& mode) {
    return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + mode;
}

// Where a save writes and what it knows of the path before it starts.
struct Target {
    QString path;  // as the user gave it, for messages
    QString file;  // with symbolic links resolved: the file a save replaces, not the link
    QString folder;
    PathFacts facts;  // of `file`
};

// A save's outcome short of SQLite's word: done, or refused with a message.
using Writing = std::variant<std::monostate, QString, SqlFailure>;

QString MessageFor(const Target& target, const SqlFailure& failure) {
    switch (failure.primaryCode()) {
        case sqlite_code::kFull:
            return CouldNotSave(target.path, QStringLiteral("the disk is full"));
        case sqlite_code::kIoError:
            return CouldNotSave(
                target.path, QStringLiteral("the disk reported an error (%1)").arg(failure.text));
        case sqlite_code::kReadOnly:
            return ReadOnly(target.path);
        case sqlite_code::kBusy:
        case sqlite_code::kLocked:
            return CouldNotSave(target.path, QStringLiteral("another program is using it"));
        case sqlite_code::kCorrupt:
        case sqlite_code::kNotADatabase:
            return CouldNotSave(target.path, QStringLiteral("it is damaged"));
        case sqlite_code::kCantOpen:
            if (::access(QFile::encodeName(target.folder).constData(), W_OK) != 0)
                return CouldNotSave(target.path, QStringLiteral("its folder is read-only"));
            break;
        default:
            break;
    }
    return CouldNotSave(target.path, failure.text);
}

// The checks made before anything is written; a message when the save cannot go ahead.
std::optional<QString> RefusalBeforeSaving(const Target& target, const DesignSave& save) {
    const PathFacts folder = LookAt(target.folder);
    if (folder.kind != FileKind::Folder) {
        return CouldNotSave(target.path, QStringLiteral("its folder “%1” does not exist")
                                             .arg(QDir::toNativeSeparators(target.folder)));
    }
    const PathFacts& facts = target.facts;
    if (facts.kind == FileKind::Unreachable)
        return CouldNotSave(target.path, SystemError(facts.error));
    if (facts.kind != FileKind::Missing && facts.kind != FileKind::Regular)
        return CouldNotSave(target.path, WhatItIs(facts.kind));
    if (save.expected && facts.kind == FileKind::Missing) {
        return QStringLiteral("%1 was deleted or moved by another program since it was opened.")
            .arg(Quoted(target.path));
    }
    if (save.expected && facts.stamp != *save.expected)
        return ChangedSinceOpened(target.path);
    // A file marked read-only for everyone is left alone even by a user who could write it.
    if (facts.kind == FileKind::Regular &&
        ((facts.mode & 0222) == 0 || ::access(QFile::encodeName(target.file).constData(), W_OK)))
        return ReadOnly(target.path);
    // Both ways of saving write a second file beside the design: a journal or the new file.
    if (::access(QFile::encodeName(target.folder).constData(), W_OK) != 0)
        return CouldNotSave(target.path, QStringLiteral("its folder is read-only"));
    for (const DesignBlob& blob : save.newBlobs) {
        if (MakeDesignBlob(blob.mime, blob.bytes).sha256 != blob.sha256)
            return CouldNotSave(target.path, QStringLiteral("a picture does not match its name"));
    }
    return std::nullopt;
}

// Writes the design and its blobs in one transaction on an open connection to a design file.
// `keptFrom` is attached as `source` when the kept blobs must be copied from another file;
// `stillTheSame` is asked once the file is locked, before anything is written.
Writing WriteContents(SqliteConnection& connection, const Target& target, const DesignSave& save,
                      bool copyKeptBlobs, const std::function<bool()>& stillTheSame) {
    const auto run = [&](const QString& sql, const QVariantList& values = {}) {
        return connection.run(sql, values);
    };
    if (copyKeptBlobs) {
        const QString source = QFileInfo(save.keptBlobsFrom).canonicalFilePath();
        if (source.isEmpty() ||
            run(QStringLiteral("ATTACH DATABASE ? AS source"), {SqliteUri(source, "ro")})) {
            return CouldNotSave(target.path,
                                QStringLiteral("its pictures could not be read from %1")
                                    .arg(Quoted(save.keptBlobsFrom)));
        }
    }
    if (auto failure = run(QStringLiteral("BEGIN IMMEDIATE")))
        return *failure;
    const auto written = [&]() -> Writing {
        if (!stillTheSame())
            return ChangedSinceOpened(target.path);
        if (auto failure = run(QStringLiteral("DELETE FROM design")))
            return *failure;
        // Bound as bytes and cast: stored as text, byte for byte, without a trip through UTF-16.
        if (auto failure = run(QStringLiteral("INSERT INTO design(json) VALUES (CAST(? AS TEXT))"),
                               {save.json}))
            return *failure;
        if (auto failure = run(QStringLiteral("CREATE TEMP TABLE used(sha256 TEXT PRIMARY KEY)")))
            return *failure;
        QStringList used = save.keptBlobs;
        for (const DesignBlob& blob : save.newBlobs)
            used << blob.sha256;
        for (const QString& sha256 : used) {
            if (auto failure =
                    run(QStringLiteral("INSERT OR IGNORE INTO used VALUES (?)"), {sha256}))
                return *failure;
        }
        if (copyKeptBlobs) {
            if (auto failure = run(QStringLiteral(
                    "INSERT OR IGNORE INTO main.blob SELECT sha256, mime, bytes FROM source.blob "
                    "WHERE sha256 IN (SELECT sha256 FROM used)"))) {
                if (failure->primaryCode() != sqlite_code::kError)
                    return *failure;
                return CouldNotSave(target.path,
                                    QStringLiteral("its pictures could not be read from %1")
                                        .arg(Quoted(save.keptBlobsFrom)));
            }
        }
        for (const DesignBlob& blob : save.newBlobs) {
            if (auto failure =
                    run(QStringLiteral("INSERT OR IGNORE INTO main.blob VALUES (?, ?, ?)"),
                        {blob.sha256, blob.mime, blob.bytes}))
                return *failure;
        }
        int missing = 0;
        if (auto failure =
                connection.run(QStringLiteral("SELECT count(*) FROM used WHERE sha256 NOT IN "
                                              "(SELECT sha256 FROM main.blob)"),
                               {}, [&](const QSqlQuery& row) { missing = row.value(0).toInt(); }))
            return *failure;
        if (missing > 0) {
            return CouldNotSave(target.path, QStringLiteral("a picture it uses is missing from %1")
                                                 .arg(Quoted(save.keptBlobsFrom)));
        }
        if (auto failure = run(QStringLiteral(
                "DELETE FROM main.blob WHERE sha256 NOT IN (SELECT sha256 FROM used)")))
            return *failure;
        if (auto failure = run(QStringLiteral("COMMIT")))
            return *failure;
        return {};
    }();
    if (!std::holds_alternative<std::monostate>(written))
        run(QStringLiteral("ROLLBACK"));
    return written;
}

std::optional<QString> MessageOf(const Target& target, const Writing& writing) {
    if (const auto* message = std::get_if<QString>(&writing))
        return *message;
    if (const auto* failure = std::get_if<SqlFailure>(&writing))
        return MessageFor(target, *failure);
    return std::nullopt;
}

std::optional<QString> SaveInPlace(const Target& target, const DesignSave& save) {
    SqliteConnection connection(SqliteUri(target.file, "rw"), QStringLiteral("QSQLITE_OPEN_URI"));
    if (const auto& failure = connection.openFailure())
        return MessageFor(target, *failure);
    for (const char* setting : {"PRAGMA journal_mode = DELETE", "PRAGMA synchronous = FULL",
                                "PRAGMA temp_store = MEMORY"}) {
        if (auto failure = connection.run(QLatin1String(setting)))
            return MessageFor(target, *failure);
    }
    // Another program may have replaced the file between the checks and the lock: writing then
    // would change a file nobody sees any more. Only the file's identity is compared: taking the
    // lock may have rolled back an interrupted save, which rightly changed the file's contents.
    const auto stillTheSame = [&] { return SameFile(LookAt(target.file), target.facts); };
    return MessageOf(target, WriteContents(connection, target, save, false, stillTheSame));
}

// An empty new file beside the target, under a name no other file has, hidden from file
// dialogs; or no name, and why in `error`.
QString CreateTemporaryFile(const Target& target, QString& error) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.saving")
                                 .arg(QFileInfo(target.file).fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        QFile file(QDir(target.folder).filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        error = file.errorString();
        if (!file.exists())
            break;
    }
    return {};
}

Writing WriteNewFile(const QString& temporary, const Target& target, const DesignSave& save) {
    SqliteConnection connection(SqliteUri(temporary, "rw"), QStringLiteral("QSQLITE_OPEN_URI"));
    if (const auto& failure = connection.openFailure())
        return *failure;
    // No journal and no syncing while the new file is written: should anything go wrong it is
    // deleted, and it is synced once, whole, before it takes the design's name.
    const QString settings[] = {
        QStringLiteral("PRAGMA auto_vacuum = FULL"),
        QStringLiteral("PRAGMA journal_mode = OFF"),
        QStringLiteral("PRAGMA synchronous = OFF"),
        QStringLiteral("PRAGMA temp_store = MEMORY"),
        QStringLiteral("PRAGMA application_id = %1").arg(kDesignFileApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(kDesignFileVersion),
        QStringLiteral("CREATE TABLE design(json TEXT)"),
        QStringLiteral("CREATE TABLE blob(sha256 TEXT PRIMARY KEY, mime TEXT, bytes BLOB)"),
    };
    for (const QString& setting : settings) {
        if (auto failure = connection.run(setting))
            return *failure;
    }
    return WriteContents(connection, target, save, !save.keptBlobs.isEmpty(), [] { return true; });
}

std::optional<QString> SaveAsNewFile(const Target& target, const DesignSave& save) {
    QString error;
    const QString temporary = CreateTemporaryFile(target, error);
    if (temporary.isEmpty())
        return CouldNotSave(target.path, error);
    std::optional<QString> message = MessageOf(target, WriteNewFile(temporary, target, save));
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target.file);
    // Whoever could read the file before still can.
    if (!message && target.facts.kind == FileKind::Regular &&
        ::chmod(from.constData(), target.facts.mode) != 0)
        message = CouldNotSave(target.path, SystemError(errno));
    if (!message && !SyncToDisk(temporary))
        message = CouldNotSave(target.path, SystemError(errno));
    if (!message && std::rename(from.constData(), to.constData()) != 0)
        message = CouldNotSave(target.path, SystemError(errno));
    if (message) {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
        return message;
    }
    // The rename is lasting only once the folder that records it is on the disk too.
    SyncToDisk(target.folder);
    return std::nullopt;
}

}  // namespace

std::variant<DesignFileStamp, QString> SaveDesignFile(const QString& path, const DesignSave& save) {
    Target target;
    target.path = path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    target.file = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    target.folder = QFileInfo(target.file).absolutePath();
    target.facts = LookAt(target.file);
    if (auto refusal = RefusalBeforeSaving(target, save))
        return *refusal;

    // The file the design came from is updated in place, which writes only what changed; any
    // other path gets a whole new file.
    const auto header = ReadSqliteHeader(target.file).header;
    const bool inPlace =
        header && IsOwnDesignFile(*header) && SameFile(LookAt(save.keptBlobsFrom), target.facts);
    const auto message = inPlace ? SaveInPlace(target, save) : SaveAsNewFile(target, save);
    if (message)
        return *message;
    return LookAt(target.file).stamp;
}
