#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class TestProgramDir;

// A copy of a program in a program directory, run as a process and killed, if still running, when it goes.
class ProgramCopy
{
public:
    ProgramCopy(const TestProgramDir &dir, const QString &source);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy &) = delete;
    ProgramCopy &operator=(const ProgramCopy &) = delete;

    void start(const QStringList &arguments = {}) { process.start(path, arguments); }

    // Waits until the program printed the line (the probe reports "ready" and message box titles).
    bool waitForLine(const QString &line, int timeoutMs = 15000);

    QString path;
    QProcess process;
    QString output;
};
