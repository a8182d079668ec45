#include "app/mainwindow.h"
#include "birthdays/birthdaytab.h"
#include "common/birthdayrecord.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// Far enough ahead, and with its reminders off, so that building the list raises no reminder.
BirthdayInfoData person(int id, const QString &name, const QString &callName, int daysAhead)
{
    BirthdayInfoData b = solarBirthday(QDate::currentDate().addDays(daysAhead), name, callName);
    b.id = id;
    b.Notice1 = b.Notice3 = b.Notice7 = false;
    return b;
}

void answerList(const QList<BirthdayInfoData> &list)
{
    emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect, QVariant::fromValue(list));
}

QLabel *label(QListWidget *list, int row, const char *name)
{
    return list->itemWidget(list->item(row))->findChild<QLabel *>(QLatin1String(name));
}

// The main window, shown on the Birthday tab, and the tab's list.
QListWidget *showBirthdays(MainWindow &window)
{
    auto *tab = window.findChild<BirthdayTab *>(QStringLiteral("tab_Birthday"));
    window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentWidget(tab);
    window.show();
    return tab->findChild<QListWidget *>(QStringLiteral("listWidget_Birthday"));
}

} // namespace

class TestBirthdayList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { interfacePublicData.birthdayListUpToDate = false; }

    void rowsInOrderAndAligned()
    {
        TestProgramDir dir;
        MainWindow window;
        QListWidget *list = showBirthdays(window);
        // A long call name stands in for a short name.
        answerList({person(4, QStringLiteral("李"), QString(), 40),
                    person(2, QStringLiteral("欧阳娜娜的名字很长很长"), QString(), 60),
                    person(9, QStringLiteral("甲"), QStringLiteral("Grandmother Zhang"), 300)});
        QCOMPARE(list->count(), 3);
        const QStringList names = {"李", "欧阳娜娜的名字很长很长", "Grandmother Zhang"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(label(list, i, "label_ShowName")->text(), names.at(i));

        // Everything after the name starts at the same place in every row, once the rows are laid out.
        const auto x = [&](int row, const char *name) {
            return label(list, row, name)->mapTo(list->itemWidget(list->item(row)), QPoint()).x();
        };
        QTRY_VERIFY(label(list, 1, "label_ShowName")->isVisible() &&
                    x(1, "label_Gender") >= x(1, "label_ShowName") + label(list, 1, "label_ShowName")->width() &&
                    x(2, "label_Gender") >= x(2, "label_ShowName") + label(list, 2, "label_ShowName")->width());
        for (const char *name : {"label_Gender", "label_RecentDate"}) {
            QCOMPARE(x(1, name), x(0, name));
            QCOMPARE(x(2, name), x(0, name));
        }
    }

    // An answer that follows a mere update of reminder flags leaves the rows and their timers alone; a
    // real change rebuilds them, and an empty list still counts as up to date.
    void upToDateKeepsRows()
    {
        TestProgramDir dir;
        MainWindow window;
        QListWidget *list = window.findChild<QListWidget *>(QStringLiteral("listWidget_Birthday"));
        answerList(
            {person(1, QStringLiteral("张三"), QString(), 30), person(2, QStringLiteral("李四"), QString(), 40)});
        QPointer<QWidget> first = list->itemWidget(list->item(0));
        answerList({person(3, QStringLiteral("王五"), QString(), 10)});
        QCOMPARE(list->count(), 2);
        QVERIFY(first);

        interfacePublicData.birthdayListUpToDate = false;
        answerList({person(3, QStringLiteral("王五"), QString(), 10)});
        QCOMPARE(list->count(), 1);
        QTRY_VERIFY(!first);

        interfacePublicData.birthdayListUpToDate = false;
        answerList({});
        QCOMPARE(list->count(), 0);
        QVERIFY(interfacePublicData.birthdayListUpToDate);
    }

    void opensEditor_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("settings button") << "button";
        QTest::newRow("double click on a row") << "row";
        QTest::newRow("double click on the empty list") << "empty";
    }

    void opensEditor()
    {
        QFETCH(QString, how);

        TestProgramDir dir;
        MainWindow window;
        QListWidget *list = showBirthdays(window);
        ModalDismisser dismisser;
        if (how == QLatin1String("empty")) {
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton);
        } else if (how == QLatin1String("row")) {
            answerList({person(1, QStringLiteral("张三"), QString(), 30)});
            QLabel *name = label(list, 0, "label_ShowName");
            QTRY_VERIFY(name->isVisible());
            // A double click starts with a click on the same row.
            QTest::mouseClick(name, Qt::LeftButton);
            QTest::mouseDClick(name, Qt::LeftButton);
        } else {
            auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_BirthdayConfig"));
            QVERIFY(button->isEnabled());
            QMetaObject::invokeMethod(button, "click");
        }
        QTRY_COMPARE(dismisser.titles, QStringList{QStringLiteral("生日配置")});
    }
};

QTEST_MAIN(TestBirthdayList)
#include "tst_birthdaylist.moc"
