#include "icons/iconstore.h"

#include "data/sqlstatement.h"

namespace {

const QString IconListTable = QStringLiteral("ICON_LIST");
// The records that show a picture, which they name by its path.
const QStringList IconUserTables{QStringLiteral("TASK_LIST"), QStringLiteral("BIRTHDAY_INFO")};
const QString IconRestartYes = QStringLiteral("restartYes");
const QString IconRestartNo = QStringLiteral("restartNo");

} // namespace

QList<SqlOperateType> IconStore::operations() const
{
    return {IconListNextId, IconListInsert, IconListSelect, IconListDelete, IconListUpdate};
}

std::optional<QVariant> IconStore::run(SqlOperateType operate, const QVariant &var)
{
    switch (operate) {
    case IconListNextId:
        return nextIconId();
    case IconListInsert:
        // The dialog removes the picture it placed when its row was not written.
        return insertIcon(var.toStringList());
    case IconListSelect:
        return QVariant::fromValue(selectIcons(var.toString()));
    case IconListDelete:
        return deleteIcon(var.toStringList());
    case IconListUpdate:
        return updateIcon(var.toStringList());
    default:
        return std::nullopt;
    }
}

int IconStore::nextIconId()
{
    if (sql.scalar(QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(IconListTable)).toInt() == 0)
        return 1;
    return sql.scalar(QStringLiteral("SELECT MAX(id) FROM `%1`").arg(IconListTable)).toInt() + 1;
}

bool IconStore::insertIcon(const QStringList &icon)
{
    if (icon.size() < 4)
        return false;
    return sql.exec(QStringLiteral("INSERT INTO `%1` (id, What, Path, Notice) VALUES (?, ?, ?, ?)").arg(IconListTable),
                    {icon.at(0).toInt(), icon.at(1).toInt(), icon.at(2), icon.at(3)});
}

QList<QStringList> IconStore::selectIcons(const QString &what)
{
    QList<QStringList> icons;
    if (sql.exec(
            QStringLiteral("SELECT id, What, Path, Notice FROM `%1` WHERE What = ? ORDER BY id").arg(IconListTable),
            {what.toInt()})) {
        while (sql.next()) {
            icons.append(
                {sql.value(0).toString(), sql.value(1).toString(), sql.value(2).toString(), sql.value(3).toString()});
        }
    }
    // The receiver builds one area per kind and learns from this which one the list is for.
    icons.append({what});
    return icons;
}

int IconStore::countIconUsers(const QString &path)
{
    int users = 0;
    for (const QString &table : IconUserTables)
        users += sql.scalar(QStringLiteral("SELECT count(*) FROM `%1` WHERE IconPath = ?").arg(table), {path}).toInt();
    return users;
}

QString IconStore::repointIconUsers(const QString &oldPath, const QString &newPath)
{
    if (countIconUsers(oldPath) == 0)
        return IconRestartNo;
    sql.transaction([this, &oldPath, &newPath]() {
        for (const QString &table : IconUserTables) {
            if (!sql.exec(QStringLiteral("UPDATE `%1` SET IconPath = ? WHERE IconPath = ?").arg(table),
                          {newPath, oldPath}))
                return false;
        }
        return true;
    });
    return IconRestartYes;
}

QString IconStore::deleteIcon(const QStringList &request)
{
    // [id, path of the deleted picture, default picture of its kind]
    if (request.size() < 3)
        return IconRestartNo;
    sql.exec(QStringLiteral("DELETE FROM `%1` WHERE id = ?").arg(IconListTable), {request.at(0).toInt()});
    return repointIconUsers(request.at(1), request.at(2));
}

QString IconStore::updateIcon(const QStringList &request)
{
    // [check flag, id, What, old path, new path, note]; id 0 is a default picture, which has no row.
    if (request.size() < 6)
        return IconRestartNo;
    const int id = request.at(1).toInt();
    if (id != 0)
        sql.exec(QStringLiteral("UPDATE `%1` SET What = ?, Path = ?, Notice = ? WHERE id = ?").arg(IconListTable),
                 {request.at(2).toInt(), request.at(4), request.at(5), id});
    if (request.at(0) != QLatin1String("checkOldYes"))
        return IconRestartNo;
    // A default picture is replaced under its own path, so its users keep pointing at it.
    return repointIconUsers(request.at(3), request.at(4));
}
