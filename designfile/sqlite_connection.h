#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

class QSqlQuery;

// What SQLite said when a statement failed: its extended result code (0 when there is none, as
// when Qt's SQLite driver could not be loaded) and its text.
struct SqlFailure {
    int code = 0;
    QString text;

    int primaryCode() const { return code & 0xff; }
};

// The result codes this layer tells apart (sqlite3.h; this layer reaches SQLite only through Qt).
namespace sqlite_code {
inline constexpr int kError = 1;
inline constexpr int kBusy = 5;
inline constexpr int kLocked = 6;
inline constexpr int kReadOnly = 8;
inline constexpr int kIoError = 10;
inline constexpr int kCorrupt = 11;
inline constexpr int kFull = 13;
inline constexpr int kCantOpen = 14;
inline constexpr int kNotADatabase = 26;
// Opened read-only, and an interrupted save's journal must be rolled back before reading.
inline constexpr int kReadOnlyRollback = 776;
}  // namespace sqlite_code

// A Qt SQL connection of its own (a unique name) to one SQLite file, closed and removed when it
// goes out of scope, so that calls on many files and from many threads never share one. It is
// used only on the thread that made it.
class SqliteConnection {
  public:
    // `options` as QSqlDatabase::setConnectOptions takes them; a busy timeout is added.
    SqliteConnection(const QString& file, const QString& options);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // No value once open.
    const std::optional<SqlFailure>& openFailure() const { return m_openFailure; }

    // Runs one statement with `values` bound to its placeholders in order, handing each row it
    // returns to `eachRow`. No value when it ran.
    std::optional<SqlFailure> run(const QString& sql, const QVariantList& values = {},
                                  const std::function<void(const QSqlQuery&)>& eachRow = {});

  private:
    QString m_name;
    QSqlDatabase m_database;
    std::optional<SqlFailure> m_openFailure;
};
