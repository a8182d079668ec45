#include "birthdayrecord.h"

#include <QByteArray>
#include <QStringList>

BirthdayInfoData solarBirthday(const QDate &recent, const QString &name, const QString &callName)
{
    BirthdayInfoData b;
    b.id = 1;
    b.Name = name;
    b.CallName = callName;
    b.Gender = true;
    b.IsLunar = false;
    b.SolarDate = QDate(1994, recent.month(), qMin(recent.day(), recent.month() == 2 ? 28 : 31));
    b.RecentDate = recent;
    b.IconPath = QStringLiteral(":/img/icon.png");
    b.Notice1 = b.Notice3 = b.Notice7 = true;
    return b;
}

BirthdayInfoData lunarBirthday(int month, int day, const QDate &recent, const QString &name, const QString &callName)
{
    BirthdayInfoData b = solarBirthday(recent, name, callName);
    b.IsLunar = true;
    b.SolarDate = QDate(2024, 1, 1);
    b.LunarYear = 1990;
    b.LunarMonth = month;
    b.LunarDay = day;
    return b;
}

char *toString(const BirthdayInfoData &b)
{
    QStringList fields = {QString::number(b.id),
                          b.Name,
                          b.CallName,
                          b.SolarDate.toString(Qt::ISODate),
                          QStringLiteral("%1.%2.%3").arg(b.LunarYear).arg(b.LunarMonth).arg(b.LunarDay),
                          b.RecentDate.toString(Qt::ISODate),
                          b.IconPath};
    for (const bool flag : {b.Gender, b.IsLunar, b.IgnoreSolarYear, b.IgnoreLunarYear, b.IsLeapMonth, b.Notice1,
                            b.Notice3, b.Notice7, b.HasNoticed0, b.HasNoticed1, b.HasNoticed3, b.HasNoticed7})
        fields << QString::number(flag);
    return qstrdup(fields.join(QLatin1Char(' ')).toUtf8().constData());
}
