#include "data/interfacepublicdata.h"

InterfacePublicData interfacePublicData;

InterfacePublicData::InterfacePublicData()
{
    // Connected before any window exists, so the hub's own handler always runs first.
    connect(this, &InterfacePublicData::SIGNALReceiveQueryData, this, &InterfacePublicData::slotReceiveQueryData,
            Qt::UniqueConnection);
}

QHash<QDate, bool> InterfacePublicData::exceptionsOf(const QList<TaskWorkdayData> &days)
{
    QHash<QDate, bool> exceptions;
    for (const TaskWorkdayData &day : days)
        exceptions.insert(day.TaskDate, day.Workday != 0);
    return exceptions;
}

void InterfacePublicData::slotReceiveQueryData(SqlOperateType operate, QVariant var)
{
    switch (operate) {
    case TaskWorkdaySelect:
        workdayExceptions = exceptionsOf(var.value<QList<TaskWorkdayData>>());
        break;
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
