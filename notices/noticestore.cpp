#include "notices/noticestore.h"

#include "data/sqlstatement.h"

namespace {

const QString TaskConfigTable = QStringLiteral("TASK_CONFIG");

} // namespace

QList<SqlOperateType> NoticeStore::operations() const
{
    return {TaskConfigSelect, TaskConfigUpdate};
}

std::optional<QVariant> NoticeStore::run(SqlOperateType operate, const QVariant &var)
{
    if (operate == TaskConfigSelect)
        return select();
    update(var.value<NoticeConfigData>());
    return QVariant();
}

std::optional<QVariant> NoticeStore::select()
{
    // A failed read answers nothing.
    if (!sql.exec(QStringLiteral("SELECT CN_BgType, CN_Color, CN_ShadowColor, CN_AppearSec, CN_KeepSec, "
                                 "CN_DisappearSec, NN_DisplaySec, CN_EnableTask, CN_EnableBirthday, NN_EnableTask, "
                                 "NN_EnableBirthday FROM `%1` LIMIT 1")
                      .arg(TaskConfigTable)))
        return std::nullopt;
    NoticeConfigData config;
    // Without its row the table gives the defaults rather than zeros and black.
    if (sql.next()) {
        config.CN_BgType = sql.value(0).toInt();
        config.CN_Color.setNamedColor(sql.value(1).toString());
        config.CN_ShadowColor.setNamedColor(sql.value(2).toString());
        config.CN_AppearSec = sql.value(3).toInt();
        config.CN_KeepSec = sql.value(4).toInt();
        config.CN_DisappearSec = sql.value(5).toInt();
        config.NN_DisplaySec = sql.value(6).toInt();
        config.CN_EnableTask = sql.value(7).toInt() == 1;
        config.CN_EnableBirthday = sql.value(8).toInt() == 1;
        config.NN_EnableTask = sql.value(9).toInt() == 1;
        config.NN_EnableBirthday = sql.value(10).toInt() == 1;
    }
    return QVariant::fromValue(config);
}

void NoticeStore::update(const NoticeConfigData &config)
{
    sql.exec(QStringLiteral("UPDATE `%1` SET CN_Color = ?, CN_ShadowColor = ?, CN_BgType = ?, CN_AppearSec = ?, "
                            "CN_KeepSec = ?, CN_DisappearSec = ?, NN_DisplaySec = ?, CN_EnableTask = ?, "
                            "CN_EnableBirthday = ?, NN_EnableTask = ?, NN_EnableBirthday = ?")
                 .arg(TaskConfigTable),
             {config.CN_Color.name(), config.CN_ShadowColor.name(), config.CN_BgType, config.CN_AppearSec,
              config.CN_KeepSec, config.CN_DisappearSec, config.NN_DisplaySec, int(config.CN_EnableTask),
              int(config.CN_EnableBirthday), int(config.NN_EnableTask), int(config.NN_EnableBirthday)});
}
