#include "app/configsettings.h"

#include "app/appglobals.h"

ConfigSettings::ConfigSettings() : QSettings(QString::fromLatin1(AppGlobals::ConfigFile), QSettings::IniFormat)
{
    setIniCodec("utf-8");
}

QString ConfigSettings::language()
{
    return value(QStringLiteral("Language/lang"), QStringLiteral("zh_CN")).toString();
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
