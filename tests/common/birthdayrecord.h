#pragma once

#include "data/records.h"

// A solar birthday on the month and day of recent (28 February standing for 29), born in 1994, male,
// with an icon that loads, every reminder on and none done yet.
BirthdayInfoData solarBirthday(const QDate &recent, const QString &name = QStringLiteral("王小明"),
                               const QString &callName = QStringLiteral("明明"));

// The same person as a lunar birthday of that month and day, born in lunar 1990 and saved on 2024-01-01.
BirthdayInfoData lunarBirthday(int month, int day, const QDate &recent, const QString &name = QStringLiteral("王小明"),
                               const QString &callName = QStringLiteral("明明"));

// Every field in one line, so that a failed QCOMPARE of two records shows which field differs.
char *toString(const BirthdayInfoData &b);
