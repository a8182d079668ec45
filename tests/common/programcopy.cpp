#include "common/programcopy.h"

#include "common/testprogramdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

ProgramCopy::ProgramCopy(const TestProgramDir &dir, const QString &source)
    : path(dir.filePath(QFileInfo(source).fileName()))
{
    QFile::copy(source, path);
    process.setWorkingDirectory(QDir::tempPath());
    process.setProcessChannelMode(QProcess::MergedChannels);
}

ProgramCopy::~ProgramCopy()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool ProgramCopy::waitForLine(const QString &line, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        output += QString::fromUtf8(process.readAll());
        if (output.split(QLatin1Char('\n')).contains(line))
            return true;
        if (process.state() == QProcess::NotRunning && !process.bytesAvailable())
            return false;
        process.waitForReadyRead(100);
    }
    return false;
}
