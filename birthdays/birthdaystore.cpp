#include "birthdays/birthdaystore.h"

#include "data/sqlstatement.h"

namespace {

const QString BirthdayInfoTable = QStringLiteral("BIRTHDAY_INFO");
// The stored columns of a birthday besides its id, in the order of birthdayValues().
const QStringList BirthdayColumns{
    QStringLiteral("Name"),        QStringLiteral("CallName"),        QStringLiteral("SolarDate"),
    QStringLiteral("RecentDate"),  QStringLiteral("IconPath"),        QStringLiteral("Gender"),
    QStringLiteral("IsLunar"),     QStringLiteral("IgnoreSolarYear"), QStringLiteral("IgnoreLunarYear"),
    QStringLiteral("LunarYear"),   QStringLiteral("LunarMonth"),      QStringLiteral("LunarDay"),
    QStringLiteral("IsLeapMonth"), QStringLiteral("Notice1"),         QStringLiteral("Notice3"),
    QStringLiteral("Notice7"),     QStringLiteral("HasNoticed0"),     QStringLiteral("HasNoticed1"),
    QStringLiteral("HasNoticed3"), QStringLiteral("HasNoticed7")};

QVariantList birthdayValues(const BirthdayInfoData &b)
{
    return {b.Name,
            b.CallName,
            b.SolarDate.toString(StoredFormat::Date),
            b.RecentDate.toString(StoredFormat::Date),
            b.IconPath,
            int(b.Gender),
            int(b.IsLunar),
            int(b.IgnoreSolarYear),
            int(b.IgnoreLunarYear),
            b.LunarYear,
            b.LunarMonth,
            b.LunarDay,
            int(b.IsLeapMonth),
            int(b.Notice1),
            int(b.Notice3),
            int(b.Notice7),
            int(b.HasNoticed0),
            int(b.HasNoticed1),
            int(b.HasNoticed3),
            int(b.HasNoticed7)};
}

} // namespace

QList<SqlOperateType> BirthdayStore::operations() const
{
    return {BirthdayInfoSelect, BirthdayInfoInsert,           BirthdayInfoDelete,
            BirthdayInfoUpdate, BirthdayInfoUpdateRecentDate, BirthdayInfoUpdateNoticed};
}

std::optional<QVariant> BirthdayStore::run(SqlOperateType operate, const QVariant &var)
{
    const BirthdayInfoData birthday = var.value<BirthdayInfoData>();
    switch (operate) {
    case BirthdayInfoSelect:
        return QVariant::fromValue(selectBirthdays());
    case BirthdayInfoInsert:
        return insertBirthday(birthday);
    case BirthdayInfoUpdate:
        return updateBirthday(birthday);
    case BirthdayInfoDelete:
        sql.exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(BirthdayInfoTable), {var.toInt()});
        break;
    case BirthdayInfoUpdateRecentDate:
        // A new occurrence starts with none of its reminders done.
        sql.exec(QStringLiteral("UPDATE `%1` SET RecentDate = ?, IsLeapMonth = ?, HasNoticed0 = 0, HasNoticed1 = 0, "
                                "HasNoticed3 = 0, HasNoticed7 = 0 WHERE id = ?")
                     .arg(BirthdayInfoTable),
                 {birthday.RecentDate.toString(StoredFormat::Date), int(birthday.IsLeapMonth), birthday.id});
        break;
    case BirthdayInfoUpdateNoticed:
        sql.exec(QStringLiteral("UPDATE `%1` SET HasNoticed0 = ?, HasNoticed1 = ?, HasNoticed3 = ?, HasNoticed7 = ? "
                                "WHERE id = ?")
                     .arg(BirthdayInfoTable),
                 {int(birthday.HasNoticed0), int(birthday.HasNoticed1), int(birthday.HasNoticed3),
                  int(birthday.HasNoticed7), birthday.id});
        break;
    default:
        return std::nullopt;
    }
    return QVariant();
}

QList<BirthdayInfoData> BirthdayStore::selectBirthdays()
{
    QList<BirthdayInfoData> birthdays;
    if (!sql.exec(QStringLiteral("SELECT id, %1 FROM `%2` ORDER BY RecentDate ASC")
                      .arg(BirthdayColumns.join(QStringLiteral(", ")), BirthdayInfoTable)))
        return birthdays;
    while (sql.next()) {
        // Columns after id in BirthdayColumns order; a flag is set only by a stored 1.
        const auto value = [this](int column) {
            return sql.value(column + 1);
        };
        const auto flag = [&value](int column) {
            return value(column).toInt() == 1;
        };
        BirthdayInfoData b;
        b.id = sql.value(0).toInt();
        b.Name = value(0).toString();
        b.CallName = value(1).toString();
        b.SolarDate = QDate::fromString(value(2).toString(), StoredFormat::Date);
        b.RecentDate = QDate::fromString(value(3).toString(), StoredFormat::Date);
        b.IconPath = value(4).toString();
        b.Gender = flag(5);
        b.IsLunar = flag(6);
        b.IgnoreSolarYear = flag(7);
        b.IgnoreLunarYear = flag(8);
        b.LunarYear = value(9).toInt();
        b.LunarMonth = value(10).toInt();
        b.LunarDay = value(11).toInt();
        b.IsLeapMonth = flag(12);
        b.Notice1 = flag(13);
        b.Notice3 = flag(14);
        b.Notice7 = flag(15);
        b.HasNoticed0 = flag(16);
        b.HasNoticed1 = flag(17);
        b.HasNoticed3 = flag(18);
        b.HasNoticed7 = flag(19);
        birthdays.append(b);
    }
    return birthdays;
}

bool BirthdayStore::isDuplicateBirthday(const BirthdayInfoData &birthday, bool excludeOwnRow)
{
    QString statement = QStringLiteral("SELECT count(*) FROM `%1` WHERE Name = ? AND CallName = ? AND Gender = ?")
                            .arg(BirthdayInfoTable);
    QVariantList values{birthday.Name, birthday.CallName, int(birthday.Gender)};
    if (excludeOwnRow) {
        statement += QStringLiteral(" AND id <> ?");
        values.append(birthday.id);
    }
    const QVariant count = sql.scalar(statement, values);
    return !count.isValid() || count.toInt() != 0;
}

bool BirthdayStore::insertBirthday(const BirthdayInfoData &birthday)
{
    if (isDuplicateBirthday(birthday, false))
        return false;
    QStringList marks;
    for (int i = 0; i < BirthdayColumns.size(); ++i)
        marks.append(QStringLiteral("?"));
    return sql.exec(
        QStringLiteral("INSERT INTO `%1` (%2) VALUES (%3)")
            .arg(BirthdayInfoTable, BirthdayColumns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
        birthdayValues(birthday));
}

bool BirthdayStore::updateBirthday(const BirthdayInfoData &birthday)
{
    if (isDuplicateBirthday(birthday, true))
        return false;
    QVariantList values = birthdayValues(birthday);
    values.append(birthday.id);
    return sql.exec(QStringLiteral("UPDATE `%1` SET %2 = ? WHERE id = ?")
                        .arg(BirthdayInfoTable, BirthdayColumns.join(QStringLiteral(" = ?, "))),
                    values);
}
