#include "data/records.h"

NoticeConfigData currentNoticeConfig;

bool TaskListData::operator==(const TaskListData &o) const
{
    return id == o.id && TaskName == o.TaskName && TaskTimeSee == o.TaskTimeSee && IconPath == o.IconPath &&
           NoticeCycle == o.NoticeCycle && Noticed == o.Noticed && Deleted == o.Deleted &&
           NormalNoticeKeepDisplay == o.NormalNoticeKeepDisplay;
}

bool TaskWorkdayData::operator==(const TaskWorkdayData &o) const
{
    return id == o.id && TaskDate == o.TaskDate && Workday == o.Workday && Notice == o.Notice;
}

bool BirthdayInfoData::operator==(const BirthdayInfoData &o) const
{
    return id == o.id && Name == o.Name && CallName == o.CallName && Gender == o.Gender && IsLunar == o.IsLunar &&
           IgnoreSolarYear == o.IgnoreSolarYear && SolarDate == o.SolarDate && IgnoreLunarYear == o.IgnoreLunarYear &&
           LunarYear == o.LunarYear && LunarMonth == o.LunarMonth && LunarDay == o.LunarDay &&
           RecentDate == o.RecentDate && IsLeapMonth == o.IsLeapMonth && IconPath == o.IconPath &&
           Notice1 == o.Notice1 && Notice3 == o.Notice3 && Notice7 == o.Notice7 && HasNoticed0 == o.HasNoticed0 &&
           HasNoticed1 == o.HasNoticed1 && HasNoticed3 == o.HasNoticed3 && HasNoticed7 == o.HasNoticed7;
}

bool NoticeConfigData::operator==(const NoticeConfigData &o) const
{
    return CN_BgType == o.CN_BgType && CN_Color == o.CN_Color && CN_ShadowColor == o.CN_ShadowColor &&
           CN_AppearSec == o.CN_AppearSec && CN_KeepSec == o.CN_KeepSec && CN_DisappearSec == o.CN_DisappearSec &&
           NN_DisplaySec == o.NN_DisplaySec && CN_EnableTask == o.CN_EnableTask &&
           CN_EnableBirthday == o.CN_EnableBirthday && NN_EnableTask == o.NN_EnableTask &&
           NN_EnableBirthday == o.NN_EnableBirthday;
}

bool UsersConfigData::operator==(const UsersConfigData &o) const
{
    return UserLimitOnePage == o.UserLimitOnePage && NoActiveLogoutSec == o.NoActiveLogoutSec;
}

bool UsersUserInfoData::operator==(const UsersUserInfoData &o) const
{
    return ID == o.ID && Title == o.Title && Site == o.Site && User == o.User && Pwd == o.Pwd && PwdNote == o.PwdNote &&
           NickName == o.NickName && Email == o.Email && Phone == o.Phone && NotePublic == o.NotePublic &&
           NotePrivate == o.NotePrivate && UpdateDate == o.UpdateDate;
}

bool UsersUserQueryData::operator==(const UsersUserQueryData &o) const
{
    return searchType == o.searchType && searchText == o.searchText && limitOnePage == o.limitOnePage && page == o.page;
}

bool UsersUserResultData::operator==(const UsersUserResultData &o) const
{
    return users == o.users && total == o.total && pageCount == o.pageCount && page == o.page &&
           hasPrevPage == o.hasPrevPage && hasNextPage == o.hasNextPage;
}

bool AesAccountUpdateData::operator==(const AesAccountUpdateData &o) const
{
    return userHash == o.userHash && keyHash == o.keyHash && newUserHash == o.newUserHash && newKeyHash == o.newKeyHash;
}

namespace {

// Registers a type under its name, with its comparison, so that QVariants holding it compare by value.
template <typename T> void registerType(const char *name)
{
    qRegisterMetaType<T>(name);
    if (!QMetaType::hasRegisteredComparators<T>())
        QMetaType::registerEqualsComparator<T>();
}

} // namespace

void registerRecordMetaTypes()
{
    registerType<SqlOperateType>("SqlOperateType");
    registerType<LoginOutReasonType>("LoginOutReasonType");
    registerType<AesAccountUpdateResultType>("AesAccountUpdateResultType");
    registerType<TaskListData>("TaskListData");
    registerType<TaskWorkdayData>("TaskWorkdayData");
    registerType<BirthdayInfoData>("BirthdayInfoData");
    registerType<NoticeConfigData>("NoticeConfigData");
    registerType<UsersConfigData>("UsersConfigData");
    registerType<UsersUserInfoData>("UsersUserInfoData");
    registerType<UsersUserQueryData>("UsersUserQueryData");
    registerType<UsersUserResultData>("UsersUserResultData");
    registerType<AesAccountUpdateData>("AesAccountUpdateData");
    registerType<QList<int>>("QList<int>");
    registerType<QList<TaskListData>>("QList<TaskListData>");
    registerType<QList<TaskWorkdayData>>("QList<TaskWorkdayData>");
    registerType<QList<BirthdayInfoData>>("QList<BirthdayInfoData>");
    registerType<QList<QStringList>>("QList<QStringList>");
    registerType<QPair<QString, QString>>("QPair<QString,QString>");
}
