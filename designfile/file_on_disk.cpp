#include "file_on_disk.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PathFacts LookAt(const QString& path) {
    PathFacts facts;
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        facts.error = errno;
        facts.kind =
            (errno == ENOENT || errno == ENOTDIR) ? FileKind::Missing : FileKind::Unreachable;
        return facts;
    }
    facts.mode = status.st_mode & 07777;
    if (S_ISREG(status.st_mode)) {
        facts.kind = FileKind::Regular;
    } else if (S_ISDIR(status.st_mode)) {
        facts.kind = FileKind::Folder;
    } else if (S_ISFIFO(status.st_mode)) {
        facts.kind = FileKind::NamedPipe;
    } else if (S_ISSOCK(status.st_mode)) {
        facts.kind = FileKind::Socket;
    } else {
        facts.kind = FileKind::Device;
    }
    facts.stamp.device = status.st_dev;
    facts.stamp.inode = status.st_ino;
    facts.stamp.size = status.st_size;
    facts.stamp.modifiedNs =
        std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    return facts;
}

bool SameFile(const PathFacts& a, const PathFacts& b) {
    return a.kind == FileKind::Regular && b.kind == FileKind::Regular &&
           a.stamp.device == b.stamp.device && a.stamp.inode == b.stamp.inode;
}

QString Quoted(const QString& path) {
    return QStringLiteral("“%1”").arg(QFileInfo(path).fileName());
}

QString WhatItIs(FileKind kind) {
    switch (kind) {
        case FileKind::Folder:
            return QStringLiteral("it is a folder");
        case FileKind::NamedPipe:
            return QStringLiteral("it is a named pipe");
        case FileKind::Device:
            return QStringLiteral("it is a device");
        case FileKind::Socket:
            return QStringLiteral("it is a socket");
        case FileKind::Missing:
        case FileKind::Regular:
        case FileKind::Unreachable:
            break;
    }
    return {};
}

static std::uint32_t BigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

HeaderReading ReadSqliteHeader(const QString& path) {
    HeaderReading reading;
    // O_NONBLOCK: should the path have become a named pipe since it was looked at, the open
    // returns at once instead of waiting for a writer.
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        reading.error = errno;
        return reading;
    }
    unsigned char bytes[100] = {};
    struct stat status {};
    ssize_t got = 0;
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        reading.error = EINVAL;
    } else {
        while (got < 100) {
            const ssize_t part = ::read(file, bytes + got, sizeof bytes - got);
            if (part < 0 && errno == EINTR)
                continue;
            if (part < 0)
                reading.error = errno;
            if (part <= 0)
                break;
            got += part;
        }
    }
    ::close(file);
    if (reading.error != 0)
        return reading;
    reading.size = status.st_size;
    SqliteHeader header;
    static const char kMagic[] = "SQLite format 3";  // with its terminating zero: 16 bytes
    header.isSqlite = got == 100 && std::equal(kMagic, kMagic + 16, bytes);
    if (header.isSqlite) {
        const std::uint32_t pageSize = BigEndian(bytes + 16, 2);
        header.pageSize = pageSize == 1 ? 65536 : pageSize;
        // The page count is valid only while the change counter beside it matches.
        if (BigEndian(bytes + 24, 4) == BigEndian(bytes + 92, 4))
            header.pageCount = BigEndian(bytes + 28, 4);
        header.userVersion = BigEndian(bytes + 60, 4);
        header.applicationId = BigEndian(bytes + 68, 4);
    }
    reading.header = header;
    return reading;
}

bool IsOwnDesignFile(const SqliteHeader& header) {
    return header.isSqlite && header.applicationId == kDesignFileApplicationId &&
           header.userVersion == kDesignFileVersion;
}

bool SyncToDisk(const QString& path) {
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    const bool synced = ::fsync(file) == 0;
    ::close(file);
    return synced;
}
