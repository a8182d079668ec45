#include "common/modaldismisser.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/centralnotice.h"
#include "notices/noticeconfig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// The four number fields in the order a save checks them: fade-in, keep, fade-out, popup display.
const QStringList Fields = {"lineEdit_NoticeAppearTime", "lineEdit_NoticeKeepTime", "lineEdit_NoticeDisppearTime",
                            "lineEdit_NormalNoticeDisplaySec"};
const QStringList Switches = {"pushButton_CentralNoticeSwitchTask", "pushButton_CentralNoticeSwitchBirthday",
                              "pushButton_NormalNoticeSwitchTask", "pushButton_NormalNoticeSwitchBirthday"};

QLineEdit *edit(NoticeConfig &dialog, int field)
{
    return dialog.findChild<QLineEdit *>(Fields.at(field));
}

QPushButton *button(NoticeConfig &dialog, const QString &name)
{
    return dialog.findChild<QPushButton *>(name);
}

// The four fields' texts, or their style sheets, joined by "|".
QString fieldTexts(NoticeConfig &dialog, bool styles = false)
{
    QStringList texts;
    for (int i = 0; i < Fields.size(); ++i)
        texts.append(styles ? edit(dialog, i)->styleSheet() : edit(dialog, i)->text());
    return texts.join(QLatin1Char('|'));
}

void fill(NoticeConfig &dialog, const QString &texts = QStringLiteral("3|30|4|120"))
{
    const QStringList values = texts.split(QLatin1Char('|'));
    for (int i = 0; i < Fields.size(); ++i)
        edit(dialog, i)->setText(values.at(i));
}

QString redBorder(int field)
{
    return QStringLiteral("#%1{border:1px solid red;}").arg(Fields.at(field));
}

QString colorStyle(const QString &name, const QColor &color)
{
    return QStringLiteral("#%1{background-color:rgb(%2,%3,%4);border:1px groove rgb(64,64,64);}")
        .arg(name)
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue());
}

} // namespace

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
        const auto row = [](const char *name, int field, const char *text, const char *refusal) {
            QTest::newRow(name) << field << QString::fromUtf8(text) << QString::fromUtf8(refusal);
        };
        row("fade-in 1", 0, "1", "");
        row("fade-in 5", 0, "5", "");
        row("fade-in 0", 0, "0", "范围: 1~5");
        row("fade-in 6", 0, "6", "范围: 1~5");
        row("fade-in empty", 0, "", "范围: 1~5");
        row("keep 60", 1, "60", "");
        row("keep 61", 1, "61", "范围: 1~60");
        row("keep leading zero", 1, "05", "范围: 1~60");
        row("keep letters", 1, "1a", "范围: 1~60");
        row("fade-out empty", 2, "", "范围: 1~5");
        row("display 9", 3, "9", "范围: 10~1800");
        row("display 10", 3, "10", "");
        row("display 1800", 3, "1800", "");
        row("display 1801", 3, "1801", "范围: 10~1800");
        row("display empty", 3, "", "范围: 10~1800");
    }

    void save()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, refusal);

        NoticeConfig dialog;
        fill(dialog);
        edit(dialog, field)->setText(text);
        QSignalSpy updated(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        ModalDismisser dismisser;
        button(dialog, "pushButton_Ok")->click();

        const bool saved = refusal.isEmpty();
        QCOMPARE(dismisser.texts, saved ? QStringList() : QStringList{refusal});
        QCOMPARE(dismisser.titles, saved ? QStringList() : QStringList{"输入无效"});
        QCOMPARE(dialog.result() == QDialog::Accepted, saved);
        QCOMPARE(updated.count(), saved ? 1 : 0);
        QCOMPARE(sent.count(), saved ? 1 : 0);
        QStringList styles = {"", "", "", ""};
        if (!saved)
            styles[field] = redBorder(field);
        QCOMPARE(fieldTexts(dialog, true), styles.join(QLatin1Char('|')));
        const int values[] = {currentNoticeConfig.CN_AppearSec, currentNoticeConfig.CN_KeepSec,
                              currentNoticeConfig.CN_DisappearSec, currentNoticeConfig.NN_DisplaySec};
        if (saved)
            QCOMPARE(values[field], text.toInt());
        else
            QCOMPARE(currentNoticeConfig, NoticeConfigData());
    }

    void reopenShowsStoredValues()
    {
        NoticeConfig dialog;
        NoticeConfigData stored;
        stored.CN_KeepSec = 9;
        stored.CN_Color = QColor(10, 20, 30);
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigSelect, QVariant::fromValue(stored));

        // A failed save with an unsaved valid value, an invalid one, a new colour and a flipped switch.
        fill(dialog, QStringLiteral("4|0|5|60"));
        {
            ModalDismisser picker;
            picker.setColor(QColor(200, 100, 50));
            button(dialog, "pushButton_FontColor")->click();
            QCOMPARE(picker.titles, QStringList{"请设置字体颜色"});
            QCOMPARE(picker.texts, QStringList{QColor(10, 20, 30).name()});
        }
        QCOMPARE(button(dialog, "pushButton_FontColor")->styleSheet(),
                 colorStyle("pushButton_FontColor", QColor(200, 100, 50)));
        button(dialog, "pushButton_NormalNoticeSwitchBirthday")->click();
        {
            ModalDismisser dismisser;
            button(dialog, "pushButton_Ok")->click();
            QCOMPARE(dismisser.texts, QStringList{QStringLiteral("范围: 1~60")});
        }
        button(dialog, "pushButton_Cancel")->click();
        QCOMPARE(currentNoticeConfig, stored);

        dialog.prepareToOpen();
        QCOMPARE(fieldTexts(dialog, true), QStringLiteral("|||"));
        QCOMPARE(fieldTexts(dialog), QStringLiteral("4|9|5|60"));
        QCOMPARE(button(dialog, "pushButton_FontColor")->styleSheet(),
                 colorStyle("pushButton_FontColor", QColor(10, 20, 30)));
        QVERIFY(button(dialog, "pushButton_NormalNoticeSwitchBirthday")->isChecked());
    }
};

QTEST_MAIN(TestNoticeConfig)
#include "tst_noticeconfig.moc"
