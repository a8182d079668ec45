#include "common/modaldismisser.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/noticeconfig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The notice settings: only values in range are saved.
class TestNoticeConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { currentNoticeConfig = NoticeConfigData(); }

    void save_data()
    {
        QTest::addColumn<int>("field"); // fade-in, keep, fade-out, popup display
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: saved
        QTest::newRow("fade-in 5") << 0 << "5" << "";
        QTest::newRow("fade-in 0") << 0 << "0" << "范围: 1~5";
        QTest::newRow("keep letters") << 1 << "1a" << "范围: 1~60";
        QTest::newRow("display 9") << 3 << "9" << "范围: 10~1800";
        QTest::newRow("display 1800") << 3 << "1800" << "";
    }
    void save()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        NoticeConfig dialog;
        const QStringList fields = {"lineEdit_NoticeAppearTime", "lineEdit_NoticeKeepTime",
                                    "lineEdit_NoticeDisppearTime", "lineEdit_NormalNoticeDisplaySec"};
        const QStringList valid = {"3", "30", "4", "120"};
        for (int i = 0; i < fields.size(); ++i)
            dialog.findChild<QLineEdit *>(fields.at(i))->setText(i == field ? text : valid.at(i));
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        ModalDismisser dismisser;
        dialog.findChild<QPushButton *>(QStringLiteral("pushButton_Ok"))->click();
        const bool saved = refusal.isEmpty();
        QCOMPARE(dismisser.texts, saved ? QStringList() : QStringList{refusal});
        QCOMPARE(sent.count(), int(saved));
        const int values[] = {currentNoticeConfig.CN_AppearSec, currentNoticeConfig.CN_KeepSec,
                              currentNoticeConfig.CN_DisappearSec, currentNoticeConfig.NN_DisplaySec};
        QVERIFY(saved ? values[field] == text.toInt() : currentNoticeConfig == NoticeConfigData());
    }
};

QTEST_MAIN(TestNoticeConfig)
#include "tst_noticeconfig.moc"
