#include "data/databasefile.h"

#include "platform/safefile.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString SoftwareInfoTable = QStringLiteral("SOFTWARE_INFO");

} // namespace

DatabaseFile::Connection::Connection(const QString &databaseName, const QString &options)
{
    static QAtomicInt counter;
    name = QStringLiteral("pemmora-file-%1").arg(counter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(databaseName);
    db.setConnectOptions(options);
}

DatabaseFile::Connection::~Connection()
{
    QSqlDatabase::removeDatabase(name);
}

QSqlDatabase DatabaseFile::Connection::database() const
{
    return QSqlDatabase::database(name, false);
}

bool DatabaseFile::hasSqliteHeader(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

auto DatabaseFile::inspect(const QSqlDatabase &db, bool thorough) -> Inspection
{
    Inspection found;
    QSqlQuery query(db);
    const auto failed = [&found, &query]() {
        found.state = isBusy(query.lastError()) ? InUse : Damaged;
        return found;
    };
    if (!query.exec(thorough ? QStringLiteral("PRAGMA integrity_check") : QStringLiteral("PRAGMA quick_check")))
        return failed();
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return found;
    query.finish();

    if (!query.exec(QStringLiteral("SELECT Key, Value FROM `%1`").arg(SoftwareInfoTable)))
        return failed();
    while (query.next()) {
        const QString key = query.value(0).toString();
        if (key == QLatin1String("DatabaseVersion"))
            found.version = query.value(1).toInt();
        else if (key == QLatin1String("DatabaseDate"))
            found.date = query.value(1).toString();
        else if (key == QLatin1String(ChangeBackupKey))
            found.changeBackup = query.value(1).toString();
    }
    if (query.lastError().isValid())
        return failed();
    found.state = Usable;
    return found;
}

auto DatabaseFile::inspectFile(const QString &path, bool thorough) -> Inspection
{
    if (!QFileInfo(path).isFile() || !hasSqliteHeader(path))
        return Inspection();
    Connection connection(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
    QSqlDatabase db = connection.database();
    if (!db.open())
        return Inspection();
    const Inspection found = inspect(db, thorough);
    db.close();
    return found;
}

bool DatabaseFile::markBackupUsed(const QSqlDatabase &db, const QByteArray &backupHash)
{
    QSqlQuery query(db);
    const QString key = QString::fromLatin1(ChangeBackupKey);
    query.prepare(QStringLiteral("DELETE FROM `%1` WHERE Key = ?").arg(SoftwareInfoTable));
    query.addBindValue(key);
    if (!query.exec())
        return false;
    query.prepare(QStringLiteral("INSERT INTO `%1` (Key, Value) VALUES (?, ?)").arg(SoftwareInfoTable));
    query.addBindValue(key);
    query.addBindValue(QString::fromLatin1(backupHash));
    return query.exec();
}

QSqlError DatabaseFile::writeProbe(const QSqlDatabase &db, int busyTimeoutMs)
{
    QSqlQuery query(db);
    // Another program writing right now tells nothing about the file, and is no reason to wait.
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    QSqlError error;
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        if (!isBusy(query.lastError()))
            error = query.lastError();
    } else {
        // A new value: SQLite skips rewriting a page whose content stays the same.
        if (!query.exec(QStringLiteral("UPDATE `%1` SET Value = Value + 1 WHERE Key = 'DatabaseVersion'")
                            .arg(SoftwareInfoTable)))
            error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
    }
    query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs));
    return error;
}

bool DatabaseFile::isBusy(const QSqlError &error)
{
    // SQLITE_BUSY and SQLITE_LOCKED
    return error.nativeErrorCode() == QLatin1String("5") || error.nativeErrorCode() == QLatin1String("6");
}

bool DatabaseFile::copy(const QString &source, const QString &target, QByteArray *hash, QString *error)
{
    return SafeFile::copy(source, target, &DatabaseFile::checkCopy, hash, error);
}

bool DatabaseFile::checkCopy(const QString &path, QString *reason)
{
    bool readable = false;
    if (hasSqliteHeader(path)) {
        Connection connection(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlDatabase db = connection.database();
        QSqlQuery query(db);
        readable = db.open() && query.exec(QStringLiteral("PRAGMA quick_check")) && query.next() &&
                   query.value(0).toString() == QLatin1String("ok");
        query.finish();
        db.close();
    }
    if (!readable)
        *reason = tr("复制出的数据库无法完整读出");
    return readable;
}

QByteArray DatabaseFile::hash(const QString &path)
{
    QFile file(path);
    QCryptographicHash sum(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !sum.addData(&file))
        return QByteArray();
    return sum.result().toHex();
}

QString DatabaseFile::setAside(const QString &path)
{
    QString aside = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + QStringLiteral(".damaged.%1").arg(n);
    return QDir().rename(path, aside) ? aside : QString();
}
