#include "data/sqlstatement.h"

#include <QSqlError>

void SqlStatement::attach(const QSqlDatabase &database)
{
    db = database;
    ++attached;
    query = QSqlQuery(db);
    // Rows are read once, in order: a query that may go back keeps a copy of every row read.
    query.setForwardOnly(true);
}

void SqlStatement::detach()
{
    query = QSqlQuery();
}

bool SqlStatement::exec(const QString &sql, const QVariantList &values)
{
    if (query.prepare(sql)) {
        for (const QVariant &value : values) {
            // A null QString would be stored as NULL; the columns hold text, so store it as empty text.
            if (value.type() == QVariant::String && value.toString().isNull())
                query.addBindValue(QStringLiteral(""));
            else
                query.addBindValue(value);
        }
        if (query.exec())
            return true;
    }
    // A failed read shows as an empty list; a failed change must not pass for a saved one.
    const bool read = sql.startsWith(QLatin1String("SELECT"));
    readFailure = readFailure || read;
    if (failure.isEmpty() && !read)
        failure =
            query.lastError().databaseText().isEmpty() ? query.lastError().text() : query.lastError().databaseText();
    return false;
}

bool SqlStatement::transaction(const std::function<bool()> &changes)
{
    if (!exec(QStringLiteral("BEGIN TRANSACTION")))
        return false;
    if (changes() && exec(QStringLiteral("COMMIT")))
        return true;
    exec(QStringLiteral("ROLLBACK"));
    return false;
}

QVariant SqlStatement::scalar(const QString &sql, const QVariantList &values)
{
    QVariant value;
    if (exec(sql, values) && query.next())
        value = query.value(0);
    // A statement left open keeps the file's read lock until the next one runs.
    query.finish();
    return value;
}
