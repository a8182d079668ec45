#include "upgrader/databaseupgrader.h"

#include "data/databasefile.h"
#include "platform/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

extern const char *const PemmoraSchemaSql;

namespace {

using Connection = DatabaseFile::Connection;

struct Column
{
    QString name;
    QString type;
    QVariant defaultValue;
    bool primaryKey;
};

QList<Column> columnsOf(const QSqlDatabase &db, const QString &table)
{
    QList<Column> columns;
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA table_info(`%1`)").arg(table));
    while (query.next())
        columns.append(
            {query.value(1).toString(), query.value(2).toString(), query.value(4), query.value(5).toInt() != 0});
    return columns;
}

bool hasColumn(const QList<Column> &columns, const QString &name)
{
    return std::any_of(columns.begin(), columns.end(),
                       [&name](const Column &c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
}

bool hasTable(const QSqlDatabase &db, const QString &table)
{
    return db.tables().contains(table, Qt::CaseInsensitive);
}

// The delivered tables and their columns, from the schema run on an empty database in memory.
QMap<QString, QList<Column>> deliveredTables(QString *error)
{
    QMap<QString, QList<Column>> tables;
    Connection reference(QStringLiteral(":memory:"));
    QSqlDatabase ref = reference.database();
    if (!ref.open()) {
        *error = ref.lastError().text();
        return tables;
    }
    QSqlQuery refQuery(ref);
    for (const QString &statement : DatabaseUpgrader::schemaStatements()) {
        if (statement.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) && !refQuery.exec(statement)) {
            *error = refQuery.lastError().text();
            return tables;
        }
    }
    for (const QString &table : ref.tables())
        tables.insert(table, columnsOf(ref, table));
    ref.close();
    return tables;
}

// The tables whose one row the schema inserts only where the table is empty.
QStringList singleRowTables()
{
    QStringList tables;
    for (const QString &statement : DatabaseUpgrader::schemaStatements()) {
        if (statement.startsWith(QLatin1String("INSERT INTO "), Qt::CaseInsensitive) &&
            statement.contains(QLatin1String("NOT EXISTS"), Qt::CaseInsensitive))
            tables.append(statement.section(QLatin1Char(' '), 2, 2));
    }
    return tables;
}

} // namespace

QStringList DatabaseUpgrader::schemaStatements()
{
    QString text;
    for (const QString &line : QString::fromUtf8(PemmoraSchemaSql).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    }
    QStringList statements;
    for (const QString &statement : text.split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty())
            statements.append(statement.trimmed());
    }
    return statements;
}

bool DatabaseUpgrader::applySchema(QSqlDatabase &db, QString *error)
{
    const QStringList statements = schemaStatements();
    QSqlQuery query(db);
    const auto run = [&query, error](const QStringList &part) {
        for (const QString &statement : part) {
            if (!query.exec(statement)) {
                *error = query.lastError().text();
                return false;
            }
        }
        return true;
    };
    // Tables first, then the columns older tables lack, then the rows that may need those columns.
    int tables = 0;
    while (tables < statements.size() && statements.at(tables).startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive))
        ++tables;
    // Pages the upgrade frees must not keep old account secrets.
    return run({QStringLiteral("PRAGMA secure_delete = ON")}) && run(statements.mid(0, tables)) &&
           addMissingColumns(db, error) && run(statements.mid(tables));
}

QStringList DatabaseUpgrader::missingParts(const QSqlDatabase &db)
{
    QStringList missing;
    QString error;
    const QMap<QString, QList<Column>> tables = deliveredTables(&error);
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        if (!hasTable(db, table.key())) {
            missing.append(table.key());
            continue;
        }
        const QList<Column> existing = columnsOf(db, table.key());
        for (const Column &column : table.value()) {
            if (!hasColumn(existing, column.name))
                missing.append(table.key() + QLatin1Char('.') + column.name);
        }
    }
    QSqlQuery query(db);
    for (const QString &table : singleRowTables()) {
        if (hasTable(db, table) && query.exec(QStringLiteral("SELECT count(*) FROM `%1`").arg(table)) && query.next() &&
            query.value(0).toInt() == 0)
            missing.append(tr("%1 的设置行").arg(table));
    }
    return missing;
}

bool DatabaseUpgrader::addMissingColumns(QSqlDatabase &db, QString *error)
{
    const QMap<QString, QList<Column>> tables = deliveredTables(error);
    if (tables.isEmpty())
        return false;
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        const QList<Column> existing = columnsOf(db, table.key());
        for (const Column &column : table.value()) {
            if (hasColumn(existing, column.name))
                continue;
            if (column.primaryKey) {
                *error = tr("表 %1 缺少主键列 %2").arg(table.key(), column.name);
                return false;
            }
            QString definition =
                QStringLiteral("ALTER TABLE `%1` ADD COLUMN `%2` %3").arg(table.key(), column.name, column.type);
            if (!column.defaultValue.isNull())
                definition += QStringLiteral(" DEFAULT ") + column.defaultValue.toString();
            QSqlQuery alter(db);
            if (!alter.exec(definition)) {
                *error = alter.lastError().text();
                return false;
            }
        }
    }
    return true;
}

bool DatabaseUpgrader::create(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        *error = tr("文件已存在，未被改动：%1").arg(path);
        return false;
    }
    bool ok = false;
    {
        Connection connection(path);
        QSqlDatabase db = connection.database();
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            db.transaction();
            ok = applySchema(db, error);
            ok = ok ? db.commit() : (db.rollback(), false);
            db.close();
        }
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

auto DatabaseUpgrader::upgrade(const QString &path, int requiredVersion) -> Result
{
    const QString untouched = tr("数据库文件未被改动。");
    if (!QFileInfo::exists(path))
        return {Refused, tr("找不到数据库文件：%1").arg(path)};
    if (!DatabaseFile::hasSqliteHeader(path))
        return {Refused, tr("%1 不是本程序的数据库，无法升级。").arg(path) + QLatin1Char('\n') + untouched};

    int storedVersion = 0;
    QStringList missing;
    {
        Connection connection(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlDatabase db = connection.database();
        if (!db.open())
            return {Refused, db.lastError().text() + QLatin1Char('\n') + untouched};
        if (!db.tables().contains(QStringLiteral("SOFTWARE_INFO"))) {
            db.close();
            return {Refused,
                    tr("%1 没有版本信息，不是本程序的数据库，无法升级。").arg(path) + QLatin1Char('\n') + untouched};
        }
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT Value FROM `SOFTWARE_INFO` WHERE Key = 'DatabaseVersion' LIMIT 1")) &&
            query.next())
            storedVersion = query.value(0).toInt();
        query.finish();
        missing = missingParts(db);
        db.close();
    }

    if (storedVersion > SchemaVersion)
        return {
            Refused,
            tr("数据库版本 %1 比本升级程序支持的版本 %2 新，请使用更新的程序。").arg(storedVersion).arg(SchemaVersion) +
                QLatin1Char('\n') + untouched};
    if (requiredVersion != SchemaVersion)
        return {Refused,
                tr("程序需要数据库版本 %1，本升级程序只能升级到版本 %2。").arg(requiredVersion).arg(SchemaVersion) +
                    QLatin1Char('\n') + untouched};
    // A current database that lost a table, a column or a settings row is repaired the same way.
    if (storedVersion == SchemaVersion && missing.isEmpty())
        return {AlreadyCurrent, tr("数据库已是版本 %1，无需升级。").arg(SchemaVersion)};

    // Work on a copy; the original is replaced only by a complete, committed and checked result.
    const QString workCopy = SafeFile::temporaryPath(path);
    QString error;
    if (!DatabaseFile::copy(path, workCopy, nullptr, &error))
        return {Refused, tr("无法复制数据库文件。") + QLatin1Char('\n') + error + QLatin1Char('\n') + untouched};

    bool ok = false;
    {
        Connection connection(workCopy);
        QSqlDatabase db = connection.database();
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            db.transaction();
            ok = applySchema(db, &error);
            ok = ok ? db.commit() : (db.rollback(), false);
            db.close();
        }
    }

    if (ok)
        ok = SafeFile::commit(workCopy, path, &DatabaseFile::checkCopy, &error);
    else
        QFile::remove(workCopy);
    if (!ok)
        return {Refused, tr("升级失败：%1").arg(error) + QLatin1Char('\n') + untouched};
    if (storedVersion == SchemaVersion)
        return {Upgraded, tr("数据库已修复，补上了：%1").arg(missing.join(QStringLiteral(", ")))};
    return {Upgraded, tr("数据库已从版本 %1 升级到版本 %2。").arg(storedVersion).arg(SchemaVersion)};
}
