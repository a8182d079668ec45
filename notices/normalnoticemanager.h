#pragma once

#include "notices/normalnotice.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>

// Stacks the popups upwards from the bottom-right corner of the primary screen's available area and
// queues what does not fit; a freed place goes to the oldest waiting notice.
class NormalNoticeManager : public QObject
{
    Q_OBJECT

public:
    explicit NormalNoticeManager(QObject *parent = nullptr);
    ~NormalNoticeManager() override;

    // How many popups of the given height fit above each other, with a 10 px gap, in that height; at least one.
    static int fittingCount(int availableHeight, int noticeHeight);

    // The primary screen's available area: its origin offsets the stack, its height decides maxShowCount.
    // Popups on screen follow a changed origin.
    void setNoticeArea(const QRect &available);

    int maxShowCount() const { return maxShow; }
    void setTimings(const NormalNotice::Timings &value) { timings = value; }

    const QList<NormalNotice *> &shownNotices() const { return shown; }
    int pendingCount() const { return pendingNotices.size(); }

    // Where the popup at stack index i rests (0 is the lowest).
    QPoint restingPosition(int index, const QSize &noticeSize) const;

public slots:
    void showNotice(int what, const QStringList &strs);
    void showNext();
    void rearrange();

private:
    struct PendingNotice
    {
        int what;
        QStringList strs;
    };

    void noticeClosed(NormalNotice *notice);

    int maxShow = 3;
    QPoint areaOrigin;
    NormalNotice::Timings timings;
    QList<PendingNotice> pendingNotices;
    QList<NormalNotice *> shown;
};
