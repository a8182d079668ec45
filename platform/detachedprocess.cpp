#include "platform/detachedprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

bool DetachedProcess::start(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return true;
    // Qt tells only "unknown error" for the common causes.
    const QFileInfo file(program);
    const QString reason = !file.exists()         ? tr("文件不存在")
                           : !file.isExecutable() ? tr("文件不能执行")
                                                  : process.errorString();
    *error = tr("无法启动 %1：%2").arg(QDir::toNativeSeparators(program), reason);
    return false;
}
