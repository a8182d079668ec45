#include "app/mainwindow.h"
#include "birthdays/birthdaywidgetitem.h"
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

// Far enough ahead that building the list raises no reminder.
BirthdayInfoData person(int id, const QString &name, const QString &callName, int daysAhead)
{
    BirthdayInfoData b;
    b.id = id;
    b.Name = name;
    b.CallName = callName;
    b.IsLunar = false;
    b.SolarDate = QDate(1990, 1, 1);
    b.RecentDate = QDate::currentDate().addDays(daysAhead);
    b.Notice1 = b.Notice3 = b.Notice7 = false;
    return b;
}

void answerList(const QList<BirthdayInfoData> &list)
{
    emit interfacePublicData.SIGNALReceiveQueryData(BirthdayInfoSelect, QVariant::fromValue(list));
}

QListWidget *birthdayList(MainWindow &window)
{
    return window.findChild<QListWidget *>(QStringLiteral("listWidget_Birthday"));
}

BirthdayWidgetItem *rowAt(QListWidget *list, int index)
{
    return qobject_cast<BirthdayWidgetItem *>(list->itemWidget(list->item(index)));
}

QLabel *labelOf(BirthdayWidgetItem *row, const char *name)
{
    return row->findChild<QLabel *>(QLatin1String(name));
}

} // namespace

class TestBirthdayList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { interfacePublicData.birthdayListUpToDate = false; }

    void emptyList()
    {
        TestProgramDir dir;
        MainWindow window;
        QListWidget *list = birthdayList(window);
        answerList({person(1, QStringLiteral("张三"), QString(), 30)});
        QCOMPARE(list->count(), 1);

        // The rows go, and the flag is set although there is nothing to show.
        interfacePublicData.birthdayListUpToDate = false;
        answerList({});
        QCOMPARE(list->count(), 0);
        QVERIFY(interfacePublicData.birthdayListUpToDate);
    }

    void rowsInOrderAndAligned_data()
    {
        QTest::addColumn<QList<BirthdayInfoData>>("records");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("short and long names")
            << QList<BirthdayInfoData>{person(4, QStringLiteral("李"), QString(), 40),
                                       person(2, QStringLiteral("欧阳娜娜的名字很长很长"), QString(), 60),
                                       person(9, QStringLiteral("王小明"), QStringLiteral("明"), 300)}
            << QStringList{"李", "欧阳娜娜的名字很长很长", "明"};
        QTest::newRow("long call name hides a short name")
            << QList<BirthdayInfoData>{person(1, QStringLiteral("甲"), QStringLiteral("Grandmother Zhang"), 5),
                                       person(2, QStringLiteral("乙"), QString(), 15)}
            << QStringList{"Grandmother Zhang", "乙"};
    }

    void rowsInOrderAndAligned()
    {
        QFETCH(QList<BirthdayInfoData>, records);
        QFETCH(QStringList, names);

        TestProgramDir dir;
        MainWindow window;
        window.findChild<QTabWidget *>(QStringLiteral("tabWidget"))
            ->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("tab_Birthday")));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget *list = birthdayList(window);
        answerList(records);
        QVERIFY(interfacePublicData.birthdayListUpToDate);
        QCOMPARE(list->count(), records.size());

        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(labelOf(rowAt(list, i), "label_ShowName")->text());
        QCOMPARE(shown, names);

        // Everything after the name starts at the same place in every row, once the rows are laid out.
        const auto laidOut = [&] {
            for (int i = 0; i < list->count(); ++i) {
                const QLabel *name = labelOf(rowAt(list, i), "label_ShowName");
                if (!name->isVisible() || labelOf(rowAt(list, i), "label_Gender")->x() < name->x() + name->width())
                    return false;
            }
            return true;
        };
        QTRY_VERIFY(laidOut());
        for (const char *name : {"label_Gender", "label_RecentDate"}) {
            QVector<int> columns;
            for (int i = 0; i < list->count(); ++i)
                columns.append(labelOf(rowAt(list, i), name)->mapTo(rowAt(list, i), QPoint()).x());
            QCOMPARE(columns, QVector<int>(list->count(), columns.first()));
        }
    }

    // An answer that follows a mere update of reminder flags leaves the rows and their timers alone.
    void upToDateKeepsRows()
    {
        TestProgramDir dir;
        MainWindow window;
        QListWidget *list = birthdayList(window);
        answerList(
            {person(1, QStringLiteral("张三"), QString(), 30), person(2, QStringLiteral("李四"), QString(), 40)});
        QPointer<BirthdayWidgetItem> first = rowAt(list, 0);
        answerList({person(3, QStringLiteral("王五"), QString(), 10)});
        QCOMPARE(list->count(), 2);
        QVERIFY(first);

        interfacePublicData.birthdayListUpToDate = false;
        answerList({person(3, QStringLiteral("王五"), QString(), 10)});
        QCOMPARE(list->count(), 1);
        QVERIFY(!first);
    }

    void opensEditor_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("settings button") << false;
        QTest::newRow("double click on a row") << true;
    }

    void opensEditor()
    {
        QFETCH(bool, doubleClick);

        TestProgramDir dir;
        MainWindow window;
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ModalDismisser dismisser;
        if (doubleClick) {
            tabs->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("tab_Birthday")));
            QListWidget *list = birthdayList(window);
            answerList({person(1, QStringLiteral("张三"), QString(), 30)});
            QLabel *name = labelOf(rowAt(list, 0), "label_ShowName");
            QTRY_VERIFY(name->isVisible());
            // A double click starts with a click on the same row.
            QTest::mouseClick(name, Qt::LeftButton);
            QTest::mouseDClick(name, Qt::LeftButton);
        } else {
            tabs->setCurrentWidget(window.findChild<QWidget *>(QStringLiteral("tabSetting")));
            auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_BirthdayConfig"));
            QVERIFY(button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QTRY_COMPARE(dismisser.titles, QStringList{QStringLiteral("生日配置")});
    }
};

QTEST_MAIN(TestBirthdayList)
#include "tst_birthdaylist.moc"
