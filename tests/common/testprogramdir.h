#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A program directory in a temporary folder, with a fresh delivered database, made the current
// directory for as long as the object lives (the program resolves every path against it).
class TestProgramDir
{
public:
    explicit TestProgramDir(bool withDatabase = true);
    ~TestProgramDir();
    TestProgramDir(const TestProgramDir &) = delete;
    TestProgramDir &operator=(const TestProgramDir &) = delete;

    bool isValid() const { return valid; }
    QString path() const { return dir.path(); }
    QString filePath(const QString &relative) const { return dir.filePath(relative); }
    QString databaseFile() const { return filePath(QStringLiteral("src/database/main.db")); }
    QString backupFile() const { return filePath(QStringLiteral("src/database/main.db.bak")); }

    // Runs one statement directly on the database file, outside the program's worker.
    bool execute(const QString &sql) const;
    // The first value a query on the database file answers; invalid when there is none.
    QVariant value(const QString &sql) const;

private:
    QTemporaryDir dir;
    QString previousDir;
    bool valid = false;
};

// The bytes of a file; empty when it cannot be read.
QByteArray fileContents(const QString &path);
// Makes a file or folder read-only or writable again; root, who ignores permissions, gets the immutable flag.
bool setReadOnly(const QString &path, bool readOnly);
