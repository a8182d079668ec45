#include "common/modaldismisser.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/noticeconfig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The four number fields in the order a save checks them: fade-in, keep, fade-out, popup display.
const QStringList Fields = {"lineEdit_NoticeAppearTime", "lineEdit_NoticeKeepTime", "lineEdit_NoticeDisppearTime",
                            "lineEdit_NormalNoticeDisplaySec"};

// Types the texts "a|b|c|d" into the four fields.
void fill(NoticeConfig &dialog, const QString &texts)
{
    const QStringList values = texts.split(QLatin1Char('|'));
    for (int i = 0; i < Fields.size(); ++i)
        dialog.findChild<QLineEdit *>(Fields.at(i))->setText(values.at(i));
}

void click(NoticeConfig &dialog, const char *name)
{
    dialog.findChild<QPushButton *>(QLatin1String(name))->click();
}

} // namespace

// The notice settings: only values in range are saved.
class TestNoticeConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { currentNoticeConfig = NoticeConfigData(); }

    void save_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty: saved
        // clang-format off
        QTest::newRow("fade-in 5") << 0 << "5" << "";
        QTest::newRow("fade-in 0") << 0 << "0" << "范围: 1~5";
        QTest::newRow("fade-in 6") << 0 << "6" << "范围: 1~5";
        QTest::newRow("keep 60") << 1 << "60" << "";
        QTest::newRow("keep 61") << 1 << "61" << "范围: 1~60";
        QTest::newRow("keep letters") << 1 << "1a" << "范围: 1~60";
        QTest::newRow("fade-out empty") << 2 << "" << "范围: 1~5";
        QTest::newRow("display 9") << 3 << "9" << "范围: 10~1800";
        QTest::newRow("display 1800") << 3 << "1800" << "";
        QTest::newRow("display 1801") << 3 << "1801" << "范围: 10~1800";
        // clang-format on
    }
    void save()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        NoticeConfig dialog;
        fill(dialog, QStringLiteral("3|30|4|120"));
        dialog.findChild<QLineEdit *>(Fields.at(field))->setText(text);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        ModalDismisser dismisser;
        click(dialog, "pushButton_Ok");
        const bool saved = refusal.isEmpty();
        QCOMPARE(dismisser.texts, saved ? QStringList() : QStringList{refusal});
        QCOMPARE(sent.count(), saved ? 1 : 0);
        const int values[] = {currentNoticeConfig.CN_AppearSec, currentNoticeConfig.CN_KeepSec,
                              currentNoticeConfig.CN_DisappearSec, currentNoticeConfig.NN_DisplaySec};
        if (saved)
            QCOMPARE(values[field], text.toInt());
        else
            QCOMPARE(currentNoticeConfig, NoticeConfigData());
    }
};

QTEST_MAIN(TestNoticeConfig)
#include "tst_noticeconfig.moc"
