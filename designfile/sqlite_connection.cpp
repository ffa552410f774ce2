#include "sqlite_connection.h"

#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

static SqlFailure FailureOf(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return {error.nativeErrorCode().toInt(), text};
}

SqliteConnection::SqliteConnection(const QString& file, const QString& options) {
    static std::atomic<unsigned long long> count{0};
    m_name = QStringLiteral("vistamarq-design-file-%1").arg(++count);
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database.setDatabaseName(file);
    // Another Vistamarq saving the same file holds it for a moment: wait rather than fail.
    m_database.setConnectOptions(options + QStringLiteral(";QSQLITE_BUSY_TIMEOUT=5000"));
    if (!m_database.open())
        m_openFailure = FailureOf(m_database.lastError());
}

SqliteConnection::~SqliteConnection() {
    m_database.close();
    // Qt removes a connection cleanly only once no QSqlDatabase object refers to it.
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::optional<SqlFailure> SqliteConnection::run(
    const QString& sql, const QVariantList& values,
    const std::function<void(const QSqlQuery&)>& eachRow) {
    QSqlQuery query(m_database);
    query.setForwardOnly(true);  // rows are read once: Qt need not keep them
    if (!query.prepare(sql))
        return FailureOf(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return FailureOf(query.lastError());
    while (query.next()) {
        if (eachRow)
            eachRow(query);
    }
    if (query.lastError().isValid())
        return FailureOf(query.lastError());
    return std::nullopt;
}
