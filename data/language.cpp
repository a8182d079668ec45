#include "data/language.h"

#include "data/appglobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTranslator>

namespace {

QLocale localeFor(const QString &code, const QLocale &fallback)
{
    if (code == QLatin1String("zh_CN"))
        return QLocale(QLocale::Chinese, QLocale::AnyCountry);
    // Taiwan's own usage: weekdays are 週一 ... 週日 in the calendars.
    if (code == QLatin1String("zh_TW"))
        return QLocale(QLocale::Chinese, QLocale::Taiwan);
    if (code == QLatin1String("en"))
        return QLocale(QLocale::English, QLocale::AnyCountry);
    return fallback;
}

} // namespace

QString Language::configured()
{
    QSettings settings(QString::fromLatin1(AppGlobals::ConfigFile), QSettings::IniFormat);
    settings.setIniCodec("utf-8");
    return settings.value(QStringLiteral("Language/lang"), QStringLiteral("zh_CN")).toString();
}

int Language::load()
{
    AppGlobals::language = configured();
    AppGlobals::locale = localeFor(AppGlobals::language, AppGlobals::locale);
    if (AppGlobals::language.isEmpty())
        return 0;

    int installed = 0;
    const QDir folder(AppGlobals::folders.deliveredDir + QStringLiteral("/language"));
    const QStringList files = {folder.filePath(QStringLiteral("qt_%1.qm").arg(AppGlobals::language)),
                               folder.filePath(QStringLiteral("%1.qm").arg(AppGlobals::language))};
    for (const QString &file : files) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file) && QCoreApplication::installTranslator(translator))
            ++installed;
        else
            delete translator;
    }
    return installed;
}
