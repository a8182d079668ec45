#include "app/mainwindow.h"
#include "common/modaldismisser.h"
#include "common/testprogramdir.h"
#include "data/interfacepublicdata.h"
#include "icons/iconmanage.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

// The main window's part in the icon library: the settings button and the restart questions.
class TestMainWindowIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }

    void restartQuestion_data()
    {
        QTest::addColumn<SqlOperateType>("operate");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("deleted picture in use")
            << IconListDelete << "restartYes"
            << QStringList{"使用已删除图标的地方，已被重置为默认图标，将在重启后生效"};
        QTest::newRow("deleted picture unused") << IconListDelete << "restartNo" << QStringList{};
        QTest::newRow("updated picture in use")
            << IconListUpdate << "restartYes"
            << QStringList{"检测到使用了更新前的图标，需要重启软件后才会更新界面显示"};
        QTest::newRow("updated picture unused") << IconListUpdate << "restartNo" << QStringList{};
    }

    void restartQuestion()
    {
        QFETCH(SqlOperateType, operate);
        QFETCH(QString, answer);
        QFETCH(QStringList, texts);
        TestProgramDir dir;
        MainWindow window;
        ModalDismisser dismisser(QMessageBox::Cancel);
        emit interfacePublicData.SIGNALReceiveQueryData(operate, answer);
        QCOMPARE(dismisser.texts, texts);
        if (!texts.isEmpty())
            QCOMPARE(dismisser.titles, QStringList{"是否重启本软件生效？"});
    }

    void settingsButtonOpensLibrary()
    {
        TestProgramDir dir;
        MainWindow window;
        IconManage *library = IconManage::instance();
        QVERIFY(library);
        QCOMPARE(library->parent(), &window);
        auto *button = window.findChild<QPushButton *>(QStringLiteral("pushButton_IconManage"));
        QVERIFY(button->isEnabled());
        bool wasOpen = false;
        QTimer::singleShot(0, library, [&]() {
            QTRY_VERIFY(library->isVisible());
            wasOpen = library->isModal();
            library->close();
        });
        button->click();
        QVERIFY(wasOpen);
        QVERIFY(!library->isVisible());
    }
};

QTEST_MAIN(TestMainWindowIcons)
#include "tst_mainwindowicons.moc"
