#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>

// The one statement of the worker's connection, through which every store runs its SQL: values are bound,
// never written into the text, and the first change of a request that was not stored is kept for the user.
class SqlStatement
{
public:
    void attach(const QSqlDatabase &db);
    void detach();
    QSqlDatabase database() const { return db; }
    // Counts the connections attached: whatever was read through an earlier one may be stale.
    int connection() const { return attached; }

    // Prepares the statement, binds the values in order and executes it.
    bool exec(const QString &sql, const QVariantList &values = {});
    // Runs changes (false when one failed) in one transaction: every change is stored, or none is. A commit
    // that fails counts as a failed change.
    bool transaction(const std::function<bool()> &changes);
    // First column of the first row, or an invalid value when the statement fails or returns nothing.
    QVariant scalar(const QString &sql, const QVariantList &values = {});
    // The rows of the last statement, one after another.
    bool next() { return query.next(); }
    QVariant value(int column) const { return query.value(column); }

    // Why the first failed change since clearWriteFailure() failed; empty when every change was stored.
    const QString &writeFailure() const { return failure; }
    void clearWriteFailure() { failure.clear(); }
    // Whether a read failed since clearReadFailure(): an empty list is then no answer.
    bool readFailed() const { return readFailure; }
    void clearReadFailure() { readFailure = false; }

private:
    QSqlDatabase db;
    QSqlQuery query;
    QString failure;
    bool readFailure = false;
    int attached = 0;
};
