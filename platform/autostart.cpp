#include "platform/autostart.h"

#include "platform/safefile.h"

#include <QSettings>

#ifdef Q_OS_WIN

static const char *const RunKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char *const ValueName = "Pemmora";

bool AutoStart::isEnabled()
{
    QSettings settings(QString::fromLatin1(RunKey), QSettings::NativeFormat);
    return settings.contains(QString::fromLatin1(ValueName));
}

QString AutoStart::commandLine(const QString &programFile)
{
    return QStringLiteral("\"%1\" -tray").arg(programFile).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

bool AutoStart::setEnabled(bool enabled, const QString &programFile, QString *error)
{
    QSettings settings(QString::fromLatin1(RunKey), QSettings::NativeFormat);
    if (enabled)
        settings.setValue(QString::fromLatin1(ValueName), commandLine(programFile));
    else
        settings.remove(QString::fromLatin1(ValueName));
    settings.sync();
    if (settings.status() == QSettings::NoError && isEnabled() == enabled)
        return true;
    *error = tr("无法更改注册表项：%1").arg(QString::fromLatin1(RunKey));
    return false;
}

#else

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString AutoStart::entryPath()
{
    // A relative XDG_CONFIG_HOME is invalid under the base directory rules and is ignored.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/pemmora.desktop");
}

bool AutoStart::isEnabled()
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // The desktop's own switches (GNOME's, or Hidden from any other) turn the entry off without removing it.
    bool inEntryGroup = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inEntryGroup = line == "[Desktop Entry]";
        else if (inEntryGroup && (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false"))
            return false;
    }
    return true;
}

QString AutoStart::commandLine(const QString &programFile)
{
    // Desktop entry quoting: inside double quotes, backslash, quote, backquote and dollar are escaped, and a
    // literal percent sign is written twice (a single one starts a field code).
    QString quoted;
    for (const QChar c : programFile) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return QStringLiteral("\"%1\" -tray").arg(quoted);
}

bool AutoStart::setEnabled(bool enabled, const QString &programFile, QString *error)
{
    const QString path = entryPath();
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        *error = tr("无法删除 %1：%2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = tr("无法创建文件夹：%1").arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return false;
    }
    // Desktop entries are UTF-8; a backslash in the Exec value must itself be doubled by the file format.
    QString exec = commandLine(programFile);
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Pemmora\n"
                                         "Exec=%1\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(exec);
    return SafeFile::write(path, entry.toUtf8(), error);
}

#endif
