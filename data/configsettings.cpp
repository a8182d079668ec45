#include "data/configsettings.h"

#include "data/appglobals.h"
#include "data/databasebackup.h"

#include <QDir>
#include <QMessageBox>

ConfigSettings::ConfigSettings() : QSettings(QString::fromLatin1(AppGlobals::ConfigFile), QSettings::IniFormat)
{
    setIniCodec("utf-8");
}

bool ConfigSettings::syncOrTell(QWidget *parent)
{
    sync();
    if (status() == QSettings::NoError)
        return true;
    QMessageBox::information(parent, tr("设置未保存"),
                             tr("无法写入设置文件 %1").arg(QDir::toNativeSeparators(fileName())));
    return false;
}

int ConfigSettings::languageIndex(const QString &code)
{
    if (code == QLatin1String("zh_TW"))
        return 1;
    if (code == QLatin1String("en"))
        return 2;
    return 0;
}

QString ConfigSettings::languageCode(int index)
{
    switch (index) {
    case 1:
        return QStringLiteral("zh_TW");
    case 2:
        return QStringLiteral("en");
    default:
        return QStringLiteral("zh_CN");
    }
}

QStringList ConfigSettings::defaultTaskNames()
{
    QStringList names;
    beginGroup(QStringLiteral("DefaultTaskNames"));
    for (int i = 0; i < DefaultTaskNameCount; ++i) {
        const QString key = QStringLiteral("name%1").arg(i);
        if (contains(key))
            names.append(value(key).toString());
    }
    endGroup();
    return names;
}

QString ConfigSettings::softwareName()
{
    return value(QStringLiteral("SoftwareName/name")).toString();
}

void ConfigSettings::setShowIconNoticeAlways(bool show)
{
    setValue(QStringLiteral("IconManage/ShowIconNoticeAlways"), show ? 1 : 0);
}

void ConfigSettings::setClipboardClearSeconds(int seconds)
{
    setValue(QLatin1String(ClipboardClearSecondsKey), seconds);
}

int ConfigSettings::backupsKept()
{
    bool ok = false;
    const int count = value(QStringLiteral("Database/BackupsKept")).toInt(&ok);
    return ok && count >= 0 && count <= DatabaseBackup::MaxKept ? count : DatabaseBackup::DefaultKept;
}

void ConfigSettings::setBackupsKept(int count)
{
    setValue(QStringLiteral("Database/BackupsKept"), count);
}
