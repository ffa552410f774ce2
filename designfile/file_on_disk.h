#pragma once

#include <QString>

#include <cstdint>
#include <optional>

#include "design_file_store.h"

// What the file system says about a path, learnt without opening it: opening a named pipe would
// wait for a writer, and opening a device can have effects of its own.

enum class FileKind { Missing, Regular, Folder, NamedPipe, Device, Socket, Unreachable };

struct PathFacts {
    FileKind kind = FileKind::Missing;
    DesignFileStamp stamp;  // only for Regular
    unsigned mode = 0;      // permission bits
    int error = 0;          // errno, for Unreachable (e.g. a folder on the way may not be entered)
};

// Follows symbolic links, as opening the path would.
PathFacts LookAt(const QString& path);

// The same file: same device and inode (so a hard link or another spelling of the path counts).
bool SameFile(const PathFacts& a, const PathFacts& b);

// “site.vistamarq”: the file's name as messages show it.
QString Quoted(const QString& path);

// "it is a folder" and the like, for a path that is no regular file; empty for one that is.
QString WhatItIs(FileKind kind);

// The fields of a SQLite database's first 100 bytes that tell whose file it is and how long it
// should be, read with plain file calls so that a file which is no database never reaches SQLite.
struct SqliteHeader {
    bool isSqlite = false;        // starts with SQLite's magic text
    std::uint32_t pageSize = 0;   // bytes
    std::uint32_t pageCount = 0;  // from the header; 0 when the header's count is not valid
    std::uint32_t userVersion = 0;
    std::uint32_t applicationId = 0;
};

struct HeaderReading {
    std::optional<SqliteHeader> header;  // no value when the file could not be read
    int error = 0;                       // errno when it could not
    std::int64_t size = 0;               // the file's size in bytes
};

HeaderReading ReadSqliteHeader(const QString& path);

// Whether the header is that of a design file this program writes (its own id and version).
bool IsOwnDesignFile(const SqliteHeader& header);

// Flushes a file or a folder (after a rename in it) to the disk; false when the system refuses.
bool SyncToDisk(const QString& path);
