#include "data/interfacepublicdata.h"

InterfacePublicData interfacePublicData;

InterfacePublicData::InterfacePublicData()
{
    // Connected before any window exists, so the hub's own handler always runs first.
    connect(this, &InterfacePublicData::SIGNALReceiveQueryData, this, &InterfacePublicData::slotReceiveQueryData,
            static_cast<Qt::ConnectionType>(Qt::AutoConnection | Qt::UniqueConnection));
}

bool InterfacePublicData::isWorkday(const QDate &date) const
{
    const auto exception = workdayExceptions.constFind(date);
    if (exception != workdayExceptions.constEnd())
        return exception.value();
    const int day = date.dayOfWeek();
    return day >= 1 && day <= 5;
}

QDate InterfacePublicData::nextWorkday() const
{
    return nextWorkday(QDate::currentDate());
}

QDate InterfacePublicData::nextWorkday(const QDate &today) const
{
    QDate date = today;
    for (int i = 0; i < MaxWorkdaySearchDays; ++i) {
        date = date.addDays(1);
        if (isWorkday(date))
            return date;
    }
    return date;
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
    default:
        break;
    }
}
