#include "notices/normalnoticemanager.h"

#include "data/appglobals.h"

#include <QPropertyAnimation>
#include <QTimer>

NormalNoticeManager::NormalNoticeManager(QObject *parent) : QObject(parent) {}

NormalNoticeManager::~NormalNoticeManager()
{
    // The popups have no parent: they are top-level windows of their own.
    qDeleteAll(shown);
}

int NormalNoticeManager::fittingCount(int availableHeight, int noticeHeight)
{
    // Even a tiny screen shows one popup at a time instead of queueing every notice for ever.
    return qMax(1, availableHeight / (noticeHeight + 10));
}

void NormalNoticeManager::setNoticeArea(const QRect &available)
{
    const QPoint shift = available.topLeft() - areaOrigin;
    areaOrigin = available.topLeft();
    if (!shift.isNull()) {
        for (NormalNotice *notice : qAsConst(shown))
            notice->move(notice->pos() + shift);
    }
    NormalNotice probe;
    maxShow = fittingCount(available.height(), probe.height());
}

QPoint NormalNoticeManager::restingPosition(int index, const QSize &noticeSize) const
{
    return areaOrigin + QPoint(AppGlobals::screenWidth - noticeSize.width() - 10,
                               AppGlobals::screenHeight - (index + 1) * (noticeSize.height() + 10));
}

void NormalNoticeManager::showNotice(int what, const QStringList &strs)
{
    pendingNotices.append({what, strs});
    showNext();
}

void NormalNoticeManager::showNext()
{
    if (shown.size() >= maxShow || pendingNotices.isEmpty())
        return;
    auto *notice = new NormalNotice();
    notice->setTimings(timings);
    const PendingNotice next = pendingNotices.takeFirst();
    notice->setNoticeData(next.what, next.strs);
    // It starts just beyond the right edge, at the height of its place, and slides in from there.
    notice->move(restingPosition(shown.size(), notice->size()) + QPoint(notice->width() + 10, 0));
    notice->slideIn();
    shown.append(notice);
    connect(notice, &NormalNotice::SIGNALClose, this, [this, notice]() { noticeClosed(notice); });
}

void NormalNoticeManager::noticeClosed(NormalNotice *notice)
{
    shown.removeOne(notice);
    rearrange();
    // A stack that was full waits until the others have settled before the next one slides in.
    if (shown.size() == maxShow - 1)
        QTimer::singleShot(timings.refillDelayMsec, this, &NormalNoticeManager::showNext);
    else
        showNext();
    notice->deleteLater();
}

void NormalNoticeManager::rearrange()
{
    for (int i = 0; i < shown.size(); ++i) {
        NormalNotice *notice = shown.at(i);
        // A second pos animation would stop the slide-in, whose end starts the close timer.
        if (notice->retargetSlideIn(restingPosition(i, notice->size())))
            continue;
        auto *animation = new QPropertyAnimation(notice, "pos", this);
        animation->setStartValue(notice->pos());
        animation->setEndValue(restingPosition(i, notice->size()));
        animation->setDuration(timings.rearrangeMsec);
        animation->start(QAbstractAnimation::DeleteWhenStopped);
    }
}
