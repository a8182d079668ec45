#include "notices/normalnotice.h"
#include "ui_normalnotice.h"

#include "data/interfacepublicdata.h"
#include "data/records.h"
#include "notices/snooze.h"
#include "platform/translucency.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPropertyAnimation>
#include <QTimer>

NormalNotice::NormalNotice(QWidget *parent) : QDialog(parent), ui(new Ui::NormalNotice), closeTimer(new QTimer(this))
{
    ui->setupUi(this);
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // Without a compositor a translucent window's clear parts show black; the pages paint every pixel anyway.
    const bool translucent = Translucency::isSupported();
    setAttribute(Qt::WA_NoSystemBackground, translucent);
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    // A reminder must not take the keyboard away from whatever the user is typing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);

    closeTimer->setObjectName(QStringLiteral("closeTimer"));
    closeTimer->setSingleShot(true);
    connect(closeTimer, &QTimer::timeout, this, &NormalNotice::fadeOut);
    connect(&interfacePublicData, &InterfacePublicData::SIGNALScreenSizeChanged, this,
            &NormalNotice::slotScreenSizeChanged, Qt::UniqueConnection);

    auto *snoozeMenu = new QMenu(this);
    snoozeMenu->setObjectName(QStringLiteral("menu_Snooze"));
    for (const int minutes : Snooze::choices())
        snoozeMenu->addAction(Snooze::choiceText(minutes), this, [this, minutes]() { snooze(minutes); });
    // The popup does not fade away while the user is choosing.
    connect(snoozeMenu, &QMenu::aboutToShow, closeTimer, &QTimer::stop);
    connect(snoozeMenu, &QMenu::aboutToHide, this, [this]() {
        if (goesByItself())
            closeTimer->start(timings.unlockCloseMsec);
    });
    ui->pushButton_Task_Snooze->setMenu(snoozeMenu);
    ui->pushButton_Birthday_Snooze->setMenu(snoozeMenu);
}

NormalNotice::~NormalNotice()
{
    delete ui;
}

void NormalNotice::setNoticeData(int what, const QStringList &strs)
{
    setNoticeData(what, strs, QDateTime::currentDateTime());
}

void NormalNotice::setNoticeData(int what, const QStringList &strs, const QDateTime &shownAt)
{
    noticeWhat = what;
    noticeStrs = strs;
    if (what == NoticeWhatTask)
        setTaskData(strs, shownAt);
    else if (what == NoticeWhatBirthday)
        setBirthdayData(strs, shownAt);
}

void NormalNotice::setTaskData(const QStringList &strs, const QDateTime &shownAt)
{
    ui->stackedWidget_Main->setCurrentWidget(ui->page_Task);

    // A long name first tries the smaller font, and only then is cut, with the whole name in the tooltip.
    QLabel *label = ui->label_Task_Name;
    const QString name = strs.value(0);
    const int width = label->maximumWidth();
    QString shown = QFontMetrics(label->font()).elidedText(name, Qt::ElideRight, width);
    if (shown != name) {
        label->setStyleSheet(QStringLiteral("#label_Task_Name{font-size:9pt;}"));
        label->ensurePolished();
        shown = QFontMetrics(label->font()).elidedText(name, Qt::ElideRight, width);
        if (shown != name)
            label->setToolTip(name);
    }
    label->setText(shown);

    ui->label_Task_DoneTime->setText(strs.value(1));
    ui->label_Task_ShowTime->setText(shownAt.toString(StoredFormat::DateTime));
    const bool keep = strs.value(2) == QLatin1String("keepYes");
    displayMsec = keep ? 0 : currentNoticeConfig.NN_DisplaySec * 1000;
    ui->pushButton_Task_KeepDisplay->setChecked(keep);
    ui->label_Task_Icon->setPixmap(QPixmap(strs.value(3)));
}

void NormalNotice::setBirthdayData(const QStringList &strs, const QDateTime &shownAt)
{
    ui->stackedWidget_Main->setCurrentWidget(ui->page_Birthday);

    ui->label_Birthday_Name->setText(strs.value(0));
    ui->label_Birthday_Name->setStyleSheet(strs.value(1) == QLatin1String("male")
                                               ? QStringLiteral("#label_Birthday_Name{color:#1f91f2;}")
                                               : QStringLiteral("#label_Birthday_Name{color:#fc7265;}"));

    const QString age = strs.value(2);
    const bool showAge = age != QLatin1String("-");
    ui->label_Birthday_Age->setText(showAge ? age : QString());
    ui->label_Birthday_Age->setVisible(showAge);
    ui->horizontalSpacer_Birthday_Age->changeSize(showAge ? 20 : 0, 16, QSizePolicy::Fixed, QSizePolicy::Fixed);
    ui->horizontalLayout_BirthdayTop->invalidate();

    if (strs.value(3) == QLatin1String("lunar")) {
        ui->label_Birthday_IconLunarOrSolar->setStyleSheet(QStringLiteral(
            "#label_Birthday_IconLunarOrSolar{border-image:url(\":/img/Task/NormalNotice/Lunar.png\");border:none;}"));
        ui->label_Birthday_IconLunarOrSolar->setToolTip(tr("农历"));
    } else {
        ui->label_Birthday_IconLunarOrSolar->setStyleSheet(QStringLiteral(
            "#label_Birthday_IconLunarOrSolar{border-image:url(\":/img/Task/NormalNotice/Solar.png\");border:none;}"));
        ui->label_Birthday_IconLunarOrSolar->setToolTip(tr("公历"));
    }

    ui->label_Birthday_Info->setText(strs.value(4));
    ui->label_Birthday_Notice->setText(strs.value(5));
    ui->label_Birthday_Icon->setPixmap(QPixmap(strs.value(6)));
    ui->label_Birthday_ShowTime->setText(shownAt.toString(StoredFormat::DateTime));
    // A birthday stays until closed.
    displayMsec = 0;
}

void NormalNotice::slideIn()
{
    show();
    auto *animation = new QPropertyAnimation(this, "pos", this);
    animation->setStartValue(pos());
    animation->setEndValue(pos() - QPoint(width() + 10, 0));
    animation->setEasingCurve(QEasingCurve::OutBounce);
    animation->setDuration(timings.slideInMsec);
    connect(animation, &QPropertyAnimation::finished, this, [this]() {
        // The user may have locked the popup, or opened its snooze menu, while it was still sliding in.
        if (goesByItself() && !ui->pushButton_Task_Snooze->menu()->isVisible())
            closeTimer->start(displayMsec);
    });
    slideAnimation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool NormalNotice::goesByItself() const
{
    return displayMsec != 0 && !ui->pushButton_Task_KeepDisplay->isChecked() && !fading && !closed;
}

bool NormalNotice::retargetSlideIn(const QPoint &target)
{
    if (!slideAnimation || slideAnimation->state() != QAbstractAnimation::Running)
        return false;
    slideAnimation->setEndValue(target);
    return true;
}

void NormalNotice::fadeOut()
{
    if (fading || closed)
        return;
    fading = true;
    closeTimer->stop();
    ui->pushButton_Task_Close->hide();
    ui->pushButton_Task_KeepDisplay->hide();
    ui->pushButton_Task_Snooze->hide();
    auto *animation = new QPropertyAnimation(this, "windowOpacity", this);
    animation->setStartValue(windowOpacity());
    animation->setEndValue(0.0);
    animation->setDuration(timings.fadeOutMsec);
    connect(animation, &QPropertyAnimation::finished, this, &NormalNotice::closeNotice);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void NormalNotice::closeNotice()
{
    // Reported once, whichever comes first: the close button, Escape or the end of the fade.
    if (closed)
        return;
    closed = true;
    closeTimer->stop();
    emit SIGNALClose();
    hide();
}

void NormalNotice::reject()
{
    closeNotice();
}

void NormalNotice::on_pushButton_Task_Close_clicked()
{
    closeNotice();
}

void NormalNotice::on_pushButton_Birthday_Close_clicked()
{
    closeNotice();
}

void NormalNotice::on_pushButton_Task_KeepDisplay_clicked(bool checked)
{
    closeTimer->stop();
    if (!checked)
        closeTimer->start(timings.unlockCloseMsec);
}

void NormalNotice::slotScreenSizeChanged(int oldWidth, int oldHeight, int, int newWidth, int newHeight, int)
{
    move(pos() + QPoint(newWidth - oldWidth, newHeight - oldHeight));
}

void NormalNotice::snooze(int minutes)
{
    const TaskListData task = Snooze::taskFor(noticeWhat, noticeStrs, minutes, QDateTime::currentDateTime());
    if (!task.TaskTimeSee.isValid())
        return;
    emit interfacePublicData.SIGNALSendQuery(TaskListInsert, QVariant::fromValue(task));
    closeNotice();
}
