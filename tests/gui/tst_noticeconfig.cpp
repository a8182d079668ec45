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

    void onlyFirstInvalidIsMarked()
    {
        NoticeConfig dialog;
        fill(dialog, QStringLiteral("|30|4|"));
        ModalDismisser dismisser;
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(fieldTexts(dialog, true), redBorder(0) + QStringLiteral("|||"));
        // Mending the first field moves the mark to the next offender.
        edit(dialog, 0)->setText(QStringLiteral("2"));
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(fieldTexts(dialog, true), QStringLiteral("|||") + redBorder(3));
        QCOMPARE(dismisser.texts, (QStringList{"范围: 1~5", "范围: 10~1800"}));
    }

    void saveAppliesAtOnce()
    {
        NoticeConfig dialog;
        CentralNotice centre;
        connect(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg, &centre,
                &CentralNotice::SLOTUpdateCentralNoticeCfg);
        dialog.prepareToOpen();
        fill(dialog);
        button(dialog, "pushButton_NormalNoticeSwitchTask")->click();
        button(dialog, "pushButton_CentralNoticeSwitchBirthday")->click();
        dialog.findChild<QRadioButton *>(QStringLiteral("radioButton_NoBackground"))->click();
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        button(dialog, "pushButton_Ok")->click();

        NoticeConfigData expected;
        expected.CN_AppearSec = 3;
        expected.CN_KeepSec = 30;
        expected.CN_DisappearSec = 4;
        expected.NN_DisplaySec = 120;
        expected.CN_BgType = 0;
        // Popups for tasks are off now; centre notices for tasks stay on.
        expected.NN_EnableTask = false;
        expected.CN_EnableBirthday = true;
        QCOMPARE(currentNoticeConfig, expected);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(0).value<SqlOperateType>(), TaskConfigUpdate);
        QCOMPARE(sent.first().at(1).value<NoticeConfigData>(), expected);
        // The centre notice takes the new timings once it is idle.
        QTRY_COMPARE(centre.appearStep(), 60);
        QCOMPARE(centre.disappearStep(), 80);
        QCOMPARE(centre.backgroundType(), 0);
    }

    void applyStored_data()
    {
        QTest::addColumn<NoticeConfigData>("config");
        QTest::addColumn<QString>("radio");
        NoticeConfigData full;
        full.CN_BgType = 2;
        full.CN_Color = QColor(QStringLiteral("#ff8000"));
        full.CN_ShadowColor = QColor(QStringLiteral("#102030"));
        full.CN_AppearSec = 5;
        full.CN_KeepSec = 60;
        full.CN_DisappearSec = 1;
        full.NN_DisplaySec = 1800;
        full.CN_EnableTask = false;
        full.CN_EnableBirthday = true;
        full.NN_EnableTask = false;
        full.NN_EnableBirthday = false;
        QTest::newRow("full screen, everything changed") << full << "radioButton_FullScreenBackground";
        NoticeConfigData none;
        none.CN_BgType = 0;
        none.NN_DisplaySec = 10;
        QTest::newRow("no background") << none << "radioButton_NoBackground";
        QTest::newRow("defaults") << NoticeConfigData() << "radioButton_LineBackground";
    }

    void applyStored()
    {
        QFETCH(NoticeConfigData, config);
        QFETCH(QString, radio);

        NoticeConfig dialog;
        dialog.findChild<QRadioButton *>(QStringLiteral("radioButton_NoBackground"))->setChecked(config.CN_BgType != 0);
        QSignalSpy updated(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg);
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigSelect, QVariant::fromValue(config));

        QCOMPARE(currentNoticeConfig, config);
        QCOMPARE(updated.count(), 1);
        QVERIFY(dialog.findChild<QRadioButton *>(radio)->isChecked());
        QCOMPARE(fieldTexts(dialog), QStringLiteral("%1|%2|%3|%4")
                                         .arg(config.CN_AppearSec)
                                         .arg(config.CN_KeepSec)
                                         .arg(config.CN_DisappearSec)
                                         .arg(config.NN_DisplaySec));
        for (const auto &[name, color] :
             {qMakePair(QStringLiteral("pushButton_FontColor"), config.CN_Color),
              qMakePair(QStringLiteral("pushButton_FontShadowColor"), config.CN_ShadowColor)})
            QCOMPARE(button(dialog, name)->styleSheet(), colorStyle(name, color));
        const bool switches[] = {config.CN_EnableTask, config.CN_EnableBirthday, config.NN_EnableTask,
                                 config.NN_EnableBirthday};
        for (int i = 0; i < Switches.size(); ++i)
            QCOMPARE(button(dialog, Switches.at(i))->isChecked(), switches[i]);

        // Saved unchanged, the same settings go back.
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(1).value<NoticeConfigData>(), config);
    }

    void answers_data()
    {
        QTest::addColumn<SqlOperateType>("answer");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("displaySec");
        QTest::newRow("unreadable settings give the defaults")
            << TaskConfigSelect << QVariant(QStringLiteral("garbage")) << 0 << NoticeConfigData().NN_DisplaySec;
        QTest::newRow("saved: reload") << TaskConfigUpdate << QVariant() << 1 << 99;
        QTest::newRow("other answers are ignored") << TaskListSelect << QVariant() << 0 << 99;
    }

    void answers()
    {
        QFETCH(SqlOperateType, answer);
        QFETCH(QVariant, value);
        QFETCH(int, requests);
        QFETCH(int, displaySec);
        NoticeConfig dialog;
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        currentNoticeConfig.NN_DisplaySec = 99;
        emit interfacePublicData.SIGNALReceiveQueryData(answer, value);
        QCOMPARE(sent.count(), requests);
        if (requests)
            QCOMPARE(sent.first().at(0).value<SqlOperateType>(), TaskConfigSelect);
        QCOMPARE(currentNoticeConfig.NN_DisplaySec, displaySec);
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

    void colourDialogs_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<QColor>("chosen");
        QTest::newRow("text colour") << true << QColor(255, 0, 0);
        QTest::newRow("shadow colour") << false << QColor(0, 0, 255);
        QTest::newRow("cancelled") << false << QColor();
    }

    void colourDialogs()
    {
        QFETCH(bool, text);
        QFETCH(QColor, chosen);
        NoticeConfig dialog;
        fill(dialog);
        {
            ModalDismisser picker;
            picker.setColor(chosen);
            button(dialog, text ? "pushButton_FontColor" : "pushButton_FontShadowColor")->click();
            QCOMPARE(picker.titles, QStringList{text ? "请设置字体颜色" : "请设置字体阴影颜色"});
        }
        QCOMPARE(currentNoticeConfig, NoticeConfigData());
        button(dialog, "pushButton_Ok")->click();
        const NoticeConfigData defaults;
        QCOMPARE(currentNoticeConfig.CN_Color, text ? chosen : defaults.CN_Color);
        QCOMPARE(currentNoticeConfig.CN_ShadowColor, text || !chosen.isValid() ? defaults.CN_ShadowColor : chosen);
    }
};

QTEST_MAIN(TestNoticeConfig)
#include "tst_noticeconfig.moc"
