#include "notices/centralnotice.h"
#include "ui_centralnotice.h"

#include "data/records.h"
#include "platform/translucency.h"

#include <QFontMetrics>
#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QTimer>

namespace {
// Space above and below the text on the band.
constexpr int BandPadding = 24;
} // namespace

CentralNotice::CentralNotice(QWidget *parent)
    : QWidget(parent), ui(new Ui::CentralNotice), textColor(currentNoticeConfig.CN_Color),
      shadowColor(currentNoticeConfig.CN_ShadowColor), bgType(currentNoticeConfig.CN_BgType),
      animTimer(new QTimer(this)), cfgTimer(new QTimer(this)), shadowEffect(new QGraphicsDropShadowEffect(this))
{
    ui->setupUi(this);
    sizeSpacers(bgType);
    applyWindowFlags();
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);

    shadowEffect->setColor(QColor(0, 0, 0, 150));
    shadowEffect->setBlurRadius(15);
    shadowEffect->setOffset(6, 6);
    ui->label->setGraphicsEffect(shadowEffect);

    animTimer->setObjectName(QStringLiteral("animTimer"));
    connect(animTimer, &QTimer::timeout, this, &CentralNotice::slotShowAnimation);
    cfgTimer->setObjectName(QStringLiteral("cfgTimer"));
    cfgTimer->setInterval(100);
    connect(cfgTimer, &QTimer::timeout, this, &CentralNotice::slotUpdateCfg);
}

CentralNotice::~CentralNotice()
{
    delete ui;
}

void CentralNotice::applyWindowFlags()
{
    // The input-transparent flag lets the window system pass clicks and the wheel through; the attribute alone
    // only keeps them from the widgets inside. On X11 the window manager must not frame the notice either: the
    // frame it puts around a window takes the clicks the window lets through, across the whole screen when the
    // notice covers it. Left unmanaged, the notice stays above the managed windows without ever taking focus.
    setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                   Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
}

void CentralNotice::sizeSpacers(int type)
{
    if (type == 1) {
        ui->verticalSpacer_Top->changeSize(20, 104, QSizePolicy::Expanding, QSizePolicy::Expanding);
        ui->verticalSpacer_Bottom->changeSize(20, 104, QSizePolicy::Expanding, QSizePolicy::Expanding);
    } else if (type == 2) {
        ui->verticalSpacer_Top->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
        ui->verticalSpacer_Bottom->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    }
    ui->verticalLayout->invalidate();
}

QString CentralNotice::labelStyle(const QColor &color, int opacityPercent, bool withBackground)
{
    const double alpha = opacityPercent / 100.0;
    if (!withBackground)
        return QStringLiteral("#label{color:rgba(%1,%2,%3,%4);}")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(alpha);
    return QStringLiteral("#label{color:rgba(%1,%2,%3,%4);background-color:rgba(%5,%6,%7,%8);}")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(alpha)
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg((100 - opacityPercent) / 150.0);
}

QColor CentralNotice::bandColor(const QColor &text)
{
    const QColor base = text.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    const auto mix = [](int from, int to) {
        return (from * 15 + to * 85) / 100;
    };
    return QColor(mix(text.red(), base.red()), mix(text.green(), base.green()), mix(text.blue(), base.blue()));
}

void CentralNotice::setScreenRect(int x, int y, int width, int height)
{
    screenRect = QRect(x, y, width, height);
    setGeometry(screenRect);
    ui->label->setMaximumWidth(width);
}

void CentralNotice::placeWindow()
{
    if (!opaque) {
        setGeometry(screenRect);
        return;
    }
    const int height = ui->label->sizeHint().height() + 2 * BandPadding;
    setGeometry(screenRect.x(), screenRect.center().y() - height / 2, screenRect.width(), height);
}

void CentralNotice::paintEvent(QPaintEvent *event)
{
    if (opaque)
        QPainter(this).fillRect(rect(), bandColor(textColor));
    QWidget::paintEvent(event);
}

void CentralNotice::showNotice(int, const QStringList &strs)
{
    if (strs.isEmpty())
        return;
    const QString text =
        QFontMetrics(ui->label->font()).elidedText(strs.first(), Qt::ElideRight, ui->label->maximumWidth());
    if (animState == Idle || animState == Finished) {
        noticeCount = 1;
        animState = Appearing;
        opaque = !Translucency::isSupported();
        ui->label->setText(text);
        placeWindow();
        applyWindowFlags();
        show();
    } else {
        // The new text continues from the current opacity and keeps the screen for a fresh interval.
        ++noticeCount;
        animTimer->stop();
        animState = Appearing;
        ui->label->setText(text + tr("\n(之前还有 %1 条提示)").arg(noticeCount - 1));
        placeWindow();
    }
    if (!animTimer->isActive())
        animTimer->start(appearStepMsec);
}

void CentralNotice::slotShowAnimation()
{
    switch (animState) {
    case Appearing:
        if (opacityPercent > 99) {
            animState = Keeping;
            animTimer->start(currentNoticeConfig.CN_KeepSec * 1000);
            return;
        }
        opacityPercent = qMin(100, opacityPercent + 2);
        ui->label->setStyleSheet(labelStyle(textColor, opacityPercent, !opaque && (bgType == 1 || bgType == 2)));
        break;
    case Keeping:
        animState = Disappearing;
        animTimer->start(disappearStepMsec);
        break;
    case Disappearing:
        if (opacityPercent < 1) {
            animState = Finished;
            noticeCount = 0;
            return;
        }
        opacityPercent = qMax(0, opacityPercent - 2);
        ui->label->setStyleSheet(labelStyle(textColor, opacityPercent, false));
        break;
    default:
        animTimer->stop();
        hide();
        break;
    }
}

void CentralNotice::SLOTUpdateCentralNoticeCfg()
{
    if (!cfgTimer->isActive())
        cfgTimer->start();
    textColor = currentNoticeConfig.CN_Color;
    shadowColor = currentNoticeConfig.CN_ShadowColor;
    shadowColor.setAlpha(150);
    shadowEffect->setColor(shadowColor);
}

void CentralNotice::slotUpdateCfg()
{
    // New timings and background wait until the notice on screen has finished.
    if (animState != Idle && animState != Finished)
        return;
    appearStepMsec = currentNoticeConfig.CN_AppearSec * 20;
    disappearStepMsec = currentNoticeConfig.CN_DisappearSec * 20;
    bgType = currentNoticeConfig.CN_BgType;
    sizeSpacers(bgType);
    cfgTimer->stop();
}
