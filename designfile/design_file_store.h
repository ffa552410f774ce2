#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

// A design on disk: one SQLite database, the program's file format, holding the design's JSON text
// and the binary blobs it refers to (pictures, plan images), each stored once under the SHA-256 of
// its bytes. This layer knows nothing of cameras: reading and checking the JSON is the design
// library's job.
//
// The file: `PRAGMA application_id` = kDesignFileApplicationId, `PRAGMA user_version` =
// kDesignFileVersion, table `design(json TEXT)` with exactly one row, table `blob(sha256 TEXT
// PRIMARY KEY, mime TEXT, bytes BLOB)`, rollback journal (so a design is one file), auto-vacuum
// (so the file shrinks when a big picture is dropped).
//
// Every function opens its own uniquely named Qt SQL connection and removes it before returning,
// so calls on many files and from many threads never share one; a QCoreApplication must exist
// (Qt SQL finds its SQLite driver through it). None throws; each failure is one message that
// names the file and says what is wrong, ready to show the user as it is.

inline constexpr char kDesignFileSuffix[] = "vistamarq";               // without the dot
inline constexpr std::uint32_t kDesignFileApplicationId = 0x564D5144;  // "VMQD"
inline constexpr int kDesignFileVersion = 1;

// A blob of the design: its name in the file and in the design is `sha256`, the lower-case hex
// SHA-256 of `bytes`.
struct DesignBlob {
    QString sha256;
    QString mime;  // e.g. "image/png"
    QByteArray bytes;
};

// A blob named by its own bytes.
DesignBlob MakeDesignBlob(const QString& mime, const QByteArray& bytes);

// Which file a path held when the program last read or wrote it, to tell at the next save whether
// another program has replaced or changed it since: device and inode, size, modification time.
struct DesignFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // nanoseconds since the epoch

    friend bool operator==(const DesignFileStamp& a, const DesignFileStamp& b) {
        return a.device == b.device && a.inode == b.inode && a.size == b.size &&
               a.modifiedNs == b.modifiedNs;
    }
    friend bool operator!=(const DesignFileStamp& a, const DesignFileStamp& b) { return !(a == b); }
};

// A design file as opened. Blobs are not loaded: a plan image may be tens of megabytes, and is read
// with ReadDesignBlob when it is shown.
struct OpenedDesign {
    QByteArray json;        // the design row's text, byte for byte as saved
    QStringList blobs;      // the sha256 of every blob in the file, sorted
    DesignFileStamp stamp;  // to pass to the next SaveDesignFile as `expected`
};

// Opens a design file read-only: opening never writes to the file, even one whose last save was
// interrupted (that save is undone on a private copy, and the next save undoes it in the file).
// A folder, a named pipe or a device is refused before SQLite touches it. Refuses, with a message,
// a missing or unreadable file, one that is not SQLite or is another program's SQLite file, one
// saved by a newer Vistamarq, one with no or several design rows, and one that is damaged (cut
// short, or failing SQLite's quick check).
std::variant<OpenedDesign, QString> OpenDesignFile(const QString& path);

// One blob of the design file at `path`, its bytes checked against its name. A message when the
// file cannot be read (as OpenDesignFile), has no such blob, or holds bytes that do not match it.
std::variant<DesignBlob, QString> ReadDesignBlob(const QString& path, const QString& sha256);

// What a save writes.
struct DesignSave {
    QByteArray json = {};  // the design's UTF-8 JSON text, stored byte for byte
    // Blobs the design uses that may not be in `keptBlobsFrom`: each is written only if no blob
    // of its name is stored yet.
    std::vector<DesignBlob> newBlobs = {};
    // The sha256 of the blobs the design still uses that are already in the file `keptBlobsFrom`
    // (the file the design was opened from, or last saved to). Every other blob is dropped.
    QStringList keptBlobs = {};
    QString keptBlobsFrom = {};  // empty for a design never saved
    // The file at `path` as the program last opened or saved it. When given, the save is refused
    // if the file has been deleted, replaced or changed since; no value overwrites whatever is
    // there (a new file, or one the user chose to replace).
    std::optional<DesignFileStamp> expected = {};
};

// Saves a design at `path`, all or nothing: an interrupted save (a crash, a full disk, power
// lost) leaves the old file or the new one, never a mix, and no temporary file behind except
// after a crash. The file the design was opened from is updated in one SQLite transaction, its
// blobs written once; any other path (a new one, or another file the user chose to replace)
// gets a complete new file written beside it under a temporary name and then renamed over it.
// Returns the saved file's stamp, or a message: a read-only file, a folder that is gone, a full
// disk, a file changed under the program, a blob the design uses that is missing.
std::variant<DesignFileStamp, QString> SaveDesignFile(const QString& path, const DesignSave& save);
