#include "testprogramdir.h"

#include "upgrader/databaseupgrader.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

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

bool TestProgramDir::execute(const QString &sql) const
{
    const QString name = QStringLiteral("test-program-dir-direct");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
