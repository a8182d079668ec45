#include "data/interfacepublicdata.h"

InterfacePublicData interfacePublicData;

InterfacePublicData::InterfacePublicData()
{
    // Connected before any window exists, so the hub's own handler always runs first.
    connect(this, &InterfacePublicData::SIGNALReceiveQueryData, this, &InterfacePublicData::slotReceiveQueryData,
            Qt::UniqueConnection);
}

void InterfacePublicData::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskWorkdaySelect: {
        workdayExceptions.clear();
        const QList<TaskWorkdayData> list = var.value<QList<TaskWorkdayData>>();
        for (const TaskWorkdayData &day : list)
            workdayExceptions.insert(day.TaskDate, day.Workday != 0);
        break;
    }
    case UsersVerifySelect:
        verifierRead(var.value<QPair<QString, QString>>());
        break;
    case UsersVerifySelectRegistered:
        registered = var.toBool();
        emit SIGNALAesRegisteChanged();
        break;
    case UsersVerifyUpdate:
        aesLogout(LoginRegistered);
        emit SIGNALSendQuery(UsersVerifySelectRegistered, QVariant());
        break;
    default:
        break;
    }
}
