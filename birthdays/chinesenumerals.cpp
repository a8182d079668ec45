#include "birthdays/chinesenumerals.h"

QString ChineseNumerals::yearText(int year, const QLocale &locale)
{
    QString text = QString::number(year);
    if (locale != QLocale(QLocale::Chinese, QLocale::AnyCountry))
        return text;
    static const QString numerals = QStringLiteral("〇一二三四五六七八九");
    for (QChar &c : text) {
        if (c.isDigit())
            c = numerals.at(c.digitValue());
    }
    return text;
}
