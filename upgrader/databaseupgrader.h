#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// Creates the delivered database from schema.sql and brings older files up to its version without
// dropping data, as well as a current file that lost a table, a column or a settings row. A file it cannot vouch for
// (not a database, no version table, a newer version) is refused and left byte-for-byte as it was; an upgrade works on
// a copy that replaces the file only when complete.
class DatabaseUpgrader
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseUpgrader)

public:
    static constexpr int SchemaVersion = 2;

    enum Outcome
    {
        Upgraded,
        AlreadyCurrent,
        Refused,
    };

    struct Result
    {
        Outcome outcome;
        QString message;
    };

    // The statements of schema.sql, comments removed, in file order.
    static QStringList schemaStatements();

    // Writes a new database; never overwrites an existing file.
    static bool create(const QString &path, QString *error);

    static Result upgrade(const QString &path, int requiredVersion);

    // What the delivered schema has and the database lacks: tables, "TABLE.Column" and settings rows.
    static QStringList missingParts(const QSqlDatabase &db);

private:
    static bool applySchema(QSqlDatabase &db, QString *error);
    static bool addMissingColumns(QSqlDatabase &db, QString *error);
};
