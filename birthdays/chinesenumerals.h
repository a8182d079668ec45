#pragma once

#include <QLocale>
#include <QString>

// Numbers written with Chinese numerals, for the Chinese user interface.
class ChineseNumerals
{
public:
    // The year in decimal digits; under the Chinese locale every digit becomes its numeral, so 1994 reads
    // "一九九四". Other locales keep the digits.
    static QString yearText(int year, const QLocale &locale);
};
