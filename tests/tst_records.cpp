#include "data/records.h"

#include <QTest>
#include <functional>

// Every field of a record takes part in its equality, through QVariant too: a reload keeps a row
// whose record compares equal, so a field left out would keep a stale row on screen.
class TestRecords : public QObject
{
    Q_OBJECT

    template <typename R> struct Change
    {
        const char *field;
        std::function<void(R &)> apply;
    };

    static void bump(int &v) { ++v; }
    static void bump(bool &v) { v = !v; }
    static void bump(QString &v) { v += QLatin1Char('x'); }
    static void bump(QDate &v) { v = v.isValid() ? v.addDays(1) : QDate(2026, 1, 1); }
    static void bump(QDateTime &v) { v = QDateTime(QDate(2026, 1, 1), QTime(8, 0)); }
    static void bump(QColor &v) { v = v == Qt::red ? Qt::blue : Qt::red; }
    static void bump(QList<UsersUserInfoData> &v) { v.append(UsersUserInfoData()); }

    template <typename R> static void rows(const char *type, std::initializer_list<Change<R>> changes)
    {
        for (const Change<R> &c : changes) {
            R changed;
            c.apply(changed);
            QTest::newRow(qPrintable(QStringLiteral("%1.%2").arg(type, c.field)))
                << QVariant::fromValue(R()) << QVariant::fromValue(changed);
        }
    }

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void everyFieldCounts_data()
    {
        QTest::addColumn<QVariant>("record");
        QTest::addColumn<QVariant>("changed");
        // clang-format off
#define F(field) {#field, [](auto &r) { bump(r.field); }}
        rows<TaskListData>("task", {F(id), F(TaskName), F(TaskTimeSee), F(IconPath), F(NoticeCycle), F(Noticed),
                                    F(Deleted), F(NormalNoticeKeepDisplay)});
        rows<TaskWorkdayData>("workday", {F(id), F(TaskDate), F(Workday), F(Notice)});
        rows<BirthdayInfoData>("birthday", {F(id), F(Name), F(CallName), F(Gender), F(IsLunar), F(IgnoreSolarYear),
                                            F(SolarDate), F(IgnoreLunarYear), F(LunarYear), F(LunarMonth), F(LunarDay),
                                            F(RecentDate), F(IsLeapMonth), F(IconPath), F(Notice1), F(Notice3),
                                            F(Notice7), F(HasNoticed0), F(HasNoticed1), F(HasNoticed3), F(HasNoticed7)});
        rows<NoticeConfigData>("notice", {F(CN_BgType), F(CN_Color), F(CN_ShadowColor), F(CN_AppearSec), F(CN_KeepSec),
                                          F(CN_DisappearSec), F(NN_DisplaySec), F(CN_EnableTask), F(CN_EnableBirthday),
                                          F(NN_EnableTask), F(NN_EnableBirthday)});
        rows<UsersConfigData>("users config", {F(UserLimitOnePage), F(NoActiveLogoutSec)});
        rows<UsersUserInfoData>("account", {F(ID), F(Title), F(Site), F(User), F(Pwd), F(PwdNote), F(NickName),
                                            F(Email), F(Phone), F(NotePublic), F(NotePrivate), F(UpdateDate)});
        rows<UsersUserQueryData>("query", {F(searchType), F(searchText), F(limitOnePage), F(page)});
        rows<UsersUserResultData>("page", {F(users), F(total), F(pageCount), F(page), F(hasPrevPage), F(hasNextPage)});
        rows<AesAccountUpdateData>("master change", {F(userHash), F(keyHash), F(newUserHash), F(newKeyHash)});
#undef F
        // clang-format on
    }
    void everyFieldCounts()
    {
        QFETCH(QVariant, record);
        QFETCH(QVariant, changed);
        QVERIFY(record == record && record != changed);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
