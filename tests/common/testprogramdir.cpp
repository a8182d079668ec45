#include "testprogramdir.h"

#include "upgrader/databaseupgrader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

TestProgramDir::TestProgramDir(bool withDatabase) : previousDir(QDir::currentPath())
{
    if (!dir.isValid())
        return;
    QDir root(dir.path());
    valid = root.mkpath(QStringLiteral("src/database")) && root.mkpath(QStringLiteral("src/config")) &&
            root.mkpath(QStringLiteral("src/icon/task")) && root.mkpath(QStringLiteral("src/icon/birthday"));
    QString error;
    if (valid && withDatabase)
        valid = DatabaseUpgrader::create(databaseFile(), &error);
    if (valid)
        valid = QDir::setCurrent(dir.path());
}

TestProgramDir::~TestProgramDir()
{
    QDir::setCurrent(previousDir);
}

namespace {

// Runs one statement on its own connection to the file and returns the first value it answers.
QVariant run(const QString &databaseFile, const QString &sql, bool *ok)
{
    const QString name = QStringLiteral("test-program-dir-direct");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        if (db.open()) {
            QSqlQuery query(db);
            *ok = query.exec(sql);
            if (*ok && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

} // namespace

bool TestProgramDir::execute(const QString &sql) const
{
    bool ok = false;
    run(databaseFile(), sql, &ok);
    return ok;
}

QVariant TestProgramDir::value(const QString &sql) const
{
    bool ok = false;
    return run(databaseFile(), sql, &ok);
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool setReadOnly(const QString &path, bool readOnly)
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {readOnly ? "+i" : "-i", path}) == 0;
#endif
    const QFileDevice::Permissions write = QFileDevice::WriteOwner | QFileDevice::WriteUser;
    return QFile::setPermissions(path, readOnly ? QFile::permissions(path) & ~write : QFile::permissions(path) | write);
}
