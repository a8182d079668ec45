#include "birthdayrecord.h"

#include <QByteArray>

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
    const QString text = QStringLiteral("id=%1 name=%2 call=%3 male=%4 lunar=%5 ignoreSolar=%6 solar=%7 ignoreLunar=%8 "
                                        "lunarDate=%9.%10.%11 recent=%12 leap=%13 icon=%14 notice=%15%16%17 "
                                        "noticed=%18%19%20%21")
                             .arg(b.id)
                             .arg(b.Name, b.CallName)
                             .arg(b.Gender)
                             .arg(b.IsLunar)
                             .arg(b.IgnoreSolarYear)
                             .arg(b.SolarDate.toString(Qt::ISODate))
                             .arg(b.IgnoreLunarYear)
                             .arg(b.LunarYear)
                             .arg(b.LunarMonth)
                             .arg(b.LunarDay)
                             .arg(b.RecentDate.toString(Qt::ISODate))
                             .arg(b.IsLeapMonth)
                             .arg(b.IconPath)
                             .arg(b.Notice1)
                             .arg(b.Notice3)
                             .arg(b.Notice7)
                             .arg(b.HasNoticed0)
                             .arg(b.HasNoticed1)
                             .arg(b.HasNoticed3)
                             .arg(b.HasNoticed7);
    return qstrdup(text.toUtf8().constData());
}
