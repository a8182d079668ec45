#include "common/modaldismisser.h"
#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/centralnotice.h"
#include "notices/noticeconfig.h"

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {
const char *const Fields[] = {"lineEdit_NoticeAppearTime", "lineEdit_NoticeKeepTime", "lineEdit_NoticeDisppearTime",
                              "lineEdit_NormalNoticeDisplaySec"};

QString field(int index)
{
    return QLatin1String(Fields[index]);
}

QLineEdit *edit(NoticeConfig &dialog, const QString &name)
{
    return dialog.findChild<QLineEdit *>(name);
}

QPushButton *button(NoticeConfig &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1String(name));
}

void fillValid(NoticeConfig &dialog)
{
    const QStringList values = {QStringLiteral("3"), QStringLiteral("30"), QStringLiteral("4"), QStringLiteral("120")};
    for (int i = 0; i < 4; ++i)
        edit(dialog, field(i))->setText(values.at(i));
}

QString redBorder(const QString &name)
{
    return QStringLiteral("#%1{border:1px solid red;}").arg(name);
}

QString colorStyle(const char *name, const QColor &color)
{
    return QStringLiteral("#%1{background-color:rgb(%2,%3,%4);border:1px groove rgb(64,64,64);}")
        .arg(QLatin1String(name))
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue());
}

// Answers the next colour dialog: picks the colour and accepts, or rejects when the colour is invalid.
class ColorAnswer : public QObject
{
public:
    explicit ColorAnswer(const QColor &color) : color(color)
    {
        connect(&timer, &QTimer::timeout, this, [this]() {
            auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            preset = dialog->currentColor();
            if (this->color.isValid()) {
                dialog->setCurrentColor(this->color);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        timer.start(10);
    }
    QColor color;
    QString title;
    QColor preset;
    QTimer timer;
};
} // namespace

class TestNoticeConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerRecordMetaTypes(); }
    void init() { currentNoticeConfig = NoticeConfigData(); }

    void typingIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("fade-in 0") << field(0) << QStringLiteral("0") << QString();
        QTest::newRow("fade-in 6") << field(0) << QStringLiteral("6") << QString();
        QTest::newRow("fade-in 35") << field(0) << QStringLiteral("35") << QStringLiteral("3");
        QTest::newRow("keep 60") << field(1) << QStringLiteral("60") << QStringLiteral("60");
        QTest::newRow("keep 61") << field(1) << QStringLiteral("61") << QStringLiteral("6");
        QTest::newRow("keep letters") << field(1) << QStringLiteral("1a") << QStringLiteral("1");
        QTest::newRow("fade-out 6") << field(2) << QStringLiteral("6") << QString();
        QTest::newRow("display 1801") << field(3) << QStringLiteral("1801") << QStringLiteral("180");
        QTest::newRow("display 0") << field(3) << QStringLiteral("0") << QString();
        QTest::newRow("display 9 stays while typing") << field(3) << QStringLiteral("9") << QStringLiteral("9");
    }

    void typingIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        NoticeConfig dialog;
        QLineEdit *line = edit(dialog, field);
        line->clear();
        QTest::keyClicks(line, typed);
        QCOMPARE(line->text(), result);
    }

    void save_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("range");

        const QString accepted;
        QTest::newRow("fade-in 1") << 0 << QStringLiteral("1") << accepted;
        QTest::newRow("fade-in 5") << 0 << QStringLiteral("5") << accepted;
        QTest::newRow("fade-in 0") << 0 << QStringLiteral("0") << QStringLiteral("范围: 1~5");
        QTest::newRow("fade-in 6") << 0 << QStringLiteral("6") << QStringLiteral("范围: 1~5");
        QTest::newRow("fade-in empty") << 0 << QString() << QStringLiteral("范围: 1~5");
        QTest::newRow("keep 60") << 1 << QStringLiteral("60") << accepted;
        QTest::newRow("keep 61") << 1 << QStringLiteral("61") << QStringLiteral("范围: 1~60");
        QTest::newRow("keep leading zero") << 1 << QStringLiteral("05") << QStringLiteral("范围: 1~60");
        QTest::newRow("fade-out empty") << 2 << QString() << QStringLiteral("范围: 1~5");
        QTest::newRow("display 9") << 3 << QStringLiteral("9") << QStringLiteral("范围: 10~1800");
        QTest::newRow("display 10") << 3 << QStringLiteral("10") << accepted;
        QTest::newRow("display 1799") << 3 << QStringLiteral("1799") << accepted;
        QTest::newRow("display 1800") << 3 << QStringLiteral("1800") << accepted;
        QTest::newRow("display 1801") << 3 << QStringLiteral("1801") << QStringLiteral("范围: 10~1800");
        QTest::newRow("display empty") << 3 << QString() << QStringLiteral("范围: 10~1800");
    }

    void save()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, range);

        NoticeConfig dialog;
        fillValid(dialog);
        const QString name = ::field(field);
        edit(dialog, name)->setText(text);
        QSignalSpy updated(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg);
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        ModalDismisser dismisser;
        button(dialog, "pushButton_Ok")->click();

        if (range.isEmpty()) {
            QVERIFY(dismisser.titles.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            const int saved[] = {currentNoticeConfig.CN_AppearSec, currentNoticeConfig.CN_KeepSec,
                                 currentNoticeConfig.CN_DisappearSec, currentNoticeConfig.NN_DisplaySec};
            QCOMPARE(saved[field], text.toInt());
            QCOMPARE(updated.count(), 1);
            QCOMPARE(sent.count(), 1);
            return;
        }
        QCOMPARE(dismisser.titles, QStringList{QStringLiteral("输入无效")});
        QCOMPARE(dismisser.texts, QStringList{range});
        for (const char *other : Fields)
            QCOMPARE(edit(dialog, QLatin1String(other))->styleSheet(),
                     QLatin1String(other) == name ? redBorder(name) : QString());
        QCOMPARE(currentNoticeConfig, NoticeConfigData());
        QCOMPARE(updated.count(), 0);
        QCOMPARE(sent.count(), 0);
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void onlyFirstInvalidIsMarked()
    {
        NoticeConfig dialog;
        fillValid(dialog);
        edit(dialog, field(0))->clear();
        edit(dialog, field(3))->clear();
        ModalDismisser dismisser;
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(dismisser.texts, QStringList{QStringLiteral("范围: 1~5")});
        QCOMPARE(edit(dialog, field(0))->styleSheet(), redBorder(field(0)));
        QVERIFY(edit(dialog, field(3))->styleSheet().isEmpty());

        // Mending the first field moves the mark to the next offender.
        edit(dialog, field(0))->setText(QStringLiteral("2"));
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(dismisser.texts.last(), QStringLiteral("范围: 10~1800"));
        QVERIFY(edit(dialog, field(0))->styleSheet().isEmpty());
        QCOMPARE(edit(dialog, field(3))->styleSheet(), redBorder(field(3)));
    }

    void saveAppliesAtOnce()
    {
        NoticeConfig dialog;
        CentralNotice centre;
        connect(&dialog, &NoticeConfig::SIGNALUpdateCentralNoticeCfg, &centre,
                &CentralNotice::SLOTUpdateCentralNoticeCfg);
        dialog.prepareToOpen();
        fillValid(dialog);
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
        expected.NN_EnableTask = false;
        expected.CN_EnableBirthday = true;
        QCOMPARE(currentNoticeConfig, expected);
        // Popups for tasks are off now; centre notices for tasks stay on.
        QVERIFY(!currentNoticeConfig.NN_EnableTask);
        QVERIFY(currentNoticeConfig.CN_EnableTask);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(0).value<SqlOperateType>(), TaskConfigUpdate);
        QCOMPARE(sent.first().at(1).value<NoticeConfigData>(), expected);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
        QTest::newRow("full screen, everything changed") << full << QStringLiteral("radioButton_FullScreenBackground");

        NoticeConfigData none;
        none.CN_BgType = 0;
        none.NN_DisplaySec = 10;
        QTest::newRow("no background") << none << QStringLiteral("radioButton_NoBackground");
        QTest::newRow("defaults") << NoticeConfigData() << QStringLiteral("radioButton_LineBackground");
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
        QCOMPARE(edit(dialog, field(0))->text(), QString::number(config.CN_AppearSec));
        QCOMPARE(edit(dialog, field(1))->text(), QString::number(config.CN_KeepSec));
        QCOMPARE(edit(dialog, field(2))->text(), QString::number(config.CN_DisappearSec));
        QCOMPARE(edit(dialog, field(3))->text(), QString::number(config.NN_DisplaySec));
        QCOMPARE(button(dialog, "pushButton_FontColor")->styleSheet(),
                 colorStyle("pushButton_FontColor", config.CN_Color));
        QCOMPARE(button(dialog, "pushButton_FontShadowColor")->styleSheet(),
                 colorStyle("pushButton_FontShadowColor", config.CN_ShadowColor));
        QCOMPARE(button(dialog, "pushButton_CentralNoticeSwitchTask")->isChecked(), config.CN_EnableTask);
        QCOMPARE(button(dialog, "pushButton_CentralNoticeSwitchBirthday")->isChecked(), config.CN_EnableBirthday);
        QCOMPARE(button(dialog, "pushButton_NormalNoticeSwitchTask")->isChecked(), config.NN_EnableTask);
        QCOMPARE(button(dialog, "pushButton_NormalNoticeSwitchBirthday")->isChecked(), config.NN_EnableBirthday);

        // Saved unchanged, the same settings go back.
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        button(dialog, "pushButton_Ok")->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(1).value<NoticeConfigData>(), config);
    }

    void unreadableResultGivesDefaults()
    {
        NoticeConfig dialog;
        currentNoticeConfig.NN_DisplaySec = 99;
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigSelect, QStringLiteral("garbage"));
        QCOMPARE(currentNoticeConfig, NoticeConfigData());
    }

    void answers_data()
    {
        QTest::addColumn<SqlOperateType>("answer");
        QTest::addColumn<int>("requests");
        QTest::newRow("saved: reload") << TaskConfigUpdate << 1;
        QTest::newRow("other answers are ignored") << TaskListSelect << 0;
    }

    void answers()
    {
        QFETCH(SqlOperateType, answer);
        QFETCH(int, requests);
        NoticeConfig dialog;
        QSignalSpy sent(&interfacePublicData, &InterfacePublicData::SIGNALSendQuery);
        currentNoticeConfig.NN_DisplaySec = 99;
        emit interfacePublicData.SIGNALReceiveQueryData(answer, QVariant());
        QCOMPARE(sent.count(), requests);
        if (requests)
            QCOMPARE(sent.first().at(0).value<SqlOperateType>(), TaskConfigSelect);
        QCOMPARE(currentNoticeConfig.NN_DisplaySec, 99);
    }

    void reopenShowsStoredValues()
    {
        NoticeConfig dialog;
        NoticeConfigData stored;
        stored.CN_KeepSec = 9;
        stored.CN_Color = QColor(10, 20, 30);
        emit interfacePublicData.SIGNALReceiveQueryData(TaskConfigSelect, QVariant::fromValue(stored));

        // A failed save with an unsaved valid value, an invalid one, a new colour and a flipped switch.
        edit(dialog, field(0))->setText(QStringLiteral("4"));
        edit(dialog, field(1))->setText(QStringLiteral("0"));
        {
            ColorAnswer answer(QColor(200, 100, 50));
            button(dialog, "pushButton_FontColor")->click();
            QCOMPARE(answer.title, QStringLiteral("请设置字体颜色"));
            QCOMPARE(answer.preset, QColor(10, 20, 30));
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
        for (const char *name : Fields)
            QVERIFY(edit(dialog, QLatin1String(name))->styleSheet().isEmpty());
        QCOMPARE(edit(dialog, field(0))->text(), QStringLiteral("4"));
        QCOMPARE(edit(dialog, field(1))->text(), QStringLiteral("9"));
        QCOMPARE(button(dialog, "pushButton_FontColor")->styleSheet(),
                 colorStyle("pushButton_FontColor", QColor(10, 20, 30)));
        QVERIFY(button(dialog, "pushButton_NormalNoticeSwitchBirthday")->isChecked());
    }

    void colourDialogs_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("chosen");
        QTest::newRow("text colour") << QStringLiteral("pushButton_FontColor") << QStringLiteral("请设置字体颜色")
                                     << QColor(255, 0, 0);
        QTest::newRow("shadow colour") << QStringLiteral("pushButton_FontShadowColor")
                                       << QStringLiteral("请设置字体阴影颜色") << QColor(0, 0, 255);
        QTest::newRow("cancelled") << QStringLiteral("pushButton_FontShadowColor")
                                   << QStringLiteral("请设置字体阴影颜色") << QColor();
    }

    void colourDialogs()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, title);
        QFETCH(QColor, chosen);

        NoticeConfig dialog;
        fillValid(dialog);
        {
            ColorAnswer answer(chosen);
            dialog.findChild<QPushButton *>(buttonName)->click();
            QCOMPARE(answer.title, title);
        }
        QCOMPARE(currentNoticeConfig, NoticeConfigData());
        button(dialog, "pushButton_Ok")->click();
        const bool text = buttonName == QLatin1String("pushButton_FontColor");
        const NoticeConfigData defaults;
        QCOMPARE(currentNoticeConfig.CN_Color, text ? chosen : defaults.CN_Color);
        QCOMPARE(currentNoticeConfig.CN_ShadowColor, text || !chosen.isValid() ? defaults.CN_ShadowColor : chosen);
    }
};

QTEST_MAIN(TestNoticeConfig)
#include "tst_noticeconfig.moc"
