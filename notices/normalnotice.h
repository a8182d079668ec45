#pragma once

#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <QStringList>

namespace Ui {
class NormalNotice;
}
class QPropertyAnimation;
class QTimer;

// A small frameless popup in the bottom-right corner telling that a task fell due or a birthday is near.
// Task popups fade out by themselves unless kept; birthday popups stay until closed by hand.
class NormalNotice : public QDialog
{
    Q_OBJECT

public:
    // Durations of the popup's animations and of the stack's movements, in milliseconds.
    struct Timings
    {
        int slideInMsec = 1000;
        int fadeOutMsec = 500;
        int unlockCloseMsec = 3000;
        int rearrangeMsec = 300;
        int refillDelayMsec = 500;
    };

    explicit NormalNotice(QWidget *parent = nullptr);
    ~NormalNotice() override;

    void setTimings(const Timings &value) { timings = value; }

    // Fills the task page (what 0) or the birthday page (what 1); missing entries of strs count as empty.
    void setNoticeData(int what, const QStringList &strs);
    void setNoticeData(int what, const QStringList &strs, const QDateTime &shownAt);

    // Shows the popup and slides it one popup width plus 10 px to the left.
    void slideIn();
    // While the slide-in runs, makes it end at target instead (the stack moved under it) and returns true.
    bool retargetSlideIn(const QPoint &target);
    // Fades the popup out, then reports it closed.
    void fadeOut();

    // 0: never closes by itself; otherwise the delay after the slide-in before the fade-out starts.
    int currentDisplayMsec() const { return displayMsec; }

signals:
    void SIGNALClose();

public slots:
    // Escape closes the popup like its close button, so that its place in the stack is given back.
    void reject() override;
    void slotScreenSizeChanged(int oldWidth, int oldHeight, int oldDpi, int newWidth, int newHeight, int newDpi);

private slots:
    void on_pushButton_Task_Close_clicked();
    void on_pushButton_Birthday_Close_clicked();
    void on_pushButton_Task_KeepDisplay_clicked(bool checked);
    // Adds the one-shot task that brings this notice back after that many minutes, and closes it.
    void snooze(int minutes);

private:
    void setTaskData(const QStringList &strs, const QDateTime &shownAt);
    void setBirthdayData(const QStringList &strs, const QDateTime &shownAt);
    void closeNotice();
    // Whether the popup is due to go by itself: a task shown for a time, not locked, not already going.
    bool goesByItself() const;

    Ui::NormalNotice *ui;
    int noticeWhat = -1;
    QStringList noticeStrs;
    Timings timings;
    int displayMsec = 0;
    QTimer *closeTimer;
    QPointer<QPropertyAnimation> slideAnimation;
    bool fading = false;
    bool closed = false;
};
