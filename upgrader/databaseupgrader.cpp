#include "upgrader/databaseupgrader.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

extern const char *const PemmoraSchemaSql;

namespace {

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("pemmora-upgrader-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Owns a named connection and removes it once every handle to it is gone.
class Connection
{
public:
    explicit Connection(const QString &databaseName, const QString &options = QString()) : name(uniqueConnectionName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseName);
        db.setConnectOptions(options);
    }
    ~Connection() { QSqlDatabase::removeDatabase(name); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(name, false); }

private:
    QString name;
};

bool isSqliteFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
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
    // Pages the upgrade frees must not keep old account secrets.
    if (!query.exec(QStringLiteral("PRAGMA secure_delete = ON"))) {
        *error = query.lastError().text();
        return false;
    }
    // Tables first, then the columns older tables lack, then the rows that may need those columns.
    bool tablesDone = false;
    for (const QString &statement : statements) {
        const bool isCreate = statement.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive);
        if (!isCreate && !tablesDone) {
            if (!addMissingColumns(db, error))
                return false;
            tablesDone = true;
        }
        if (!query.exec(statement)) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

bool DatabaseUpgrader::addMissingColumns(QSqlDatabase &db, QString *error)
{
    Connection reference(QStringLiteral(":memory:"));
    QSqlDatabase ref = reference.database();
    if (!ref.open()) {
        *error = ref.lastError().text();
        return false;
    }
    QSqlQuery refQuery(ref);
    for (const QString &statement : schemaStatements()) {
        if (statement.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) && !refQuery.exec(statement)) {
            *error = refQuery.lastError().text();
            return false;
        }
    }

    QSqlQuery query(db);
    for (const QString &table : ref.tables()) {
        QStringList existing;
        query.exec(QStringLiteral("PRAGMA table_info(`%1`)").arg(table));
        while (query.next())
            existing.append(query.value(1).toString());

        refQuery.exec(QStringLiteral("PRAGMA table_info(`%1`)").arg(table));
        while (refQuery.next()) {
            const QString column = refQuery.value(1).toString();
            if (existing.contains(column, Qt::CaseInsensitive))
                continue;
            if (refQuery.value(5).toInt() != 0) {
                *error = tr("表 %1 缺少主键列 %2").arg(table, column);
                return false;
            }
            QString definition =
                QStringLiteral("ALTER TABLE `%1` ADD COLUMN `%2` %3").arg(table, column, refQuery.value(2).toString());
            if (!refQuery.value(4).isNull())
                definition += QStringLiteral(" DEFAULT ") + refQuery.value(4).toString();
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
    if (!isSqliteFile(path))
        return {Refused, tr("%1 不是本程序的数据库，无法升级。").arg(path) + QLatin1Char('\n') + untouched};

    int storedVersion = 0;
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
    if (storedVersion == SchemaVersion)
        return {AlreadyCurrent, tr("数据库已是版本 %1，无需升级。").arg(SchemaVersion)};

    // Work on a copy; the original is replaced only by a complete, committed result.
    const QString workCopy = path + QStringLiteral(".upgrading");
    QFile::remove(workCopy);
    if (!QFile::copy(path, workCopy))
        return {Refused, tr("无法复制数据库文件。") + QLatin1Char('\n') + untouched};

    QString error;
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

    if (ok) {
        QFile upgraded(workCopy);
        QSaveFile target(path);
        ok = upgraded.open(QIODevice::ReadOnly) && target.open(QIODevice::WriteOnly) &&
             target.write(upgraded.readAll()) == upgraded.size() && target.commit();
        if (!ok)
            error = target.errorString();
    }
    QFile::remove(workCopy);
    if (!ok)
        return {Refused, tr("升级失败：%1").arg(error) + QLatin1Char('\n') + untouched};
    return {Upgraded, tr("数据库已从版本 %1 升级到版本 %2。").arg(storedVersion).arg(SchemaVersion)};
}
