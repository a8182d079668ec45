#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

namespace Ui {
class CentralNotice;
}
class QGraphicsDropShadowEffect;
class QTimer;

// One line of large text across the middle of a screen that fades in, stays and fades out. The window
// lets every mouse click and the wheel through to what lies below and never takes the keyboard focus.
class CentralNotice : public QWidget
{
    Q_OBJECT

public:
    enum AnimState
    {
        Idle = 0,
        Appearing = 1,
        Keeping = 2,
        Disappearing = 3,
        Finished = 4,
    };

    explicit CentralNotice(QWidget *parent = nullptr);
    ~CentralNotice() override;

    // The label's style at a text opacity; the background, in the text colour, fades out as the text fades in.
    static QString labelStyle(const QColor &color, int opacityPercent, bool withBackground);
    // Where the screen cannot show translucent windows the notice is a solid band behind the text instead of
    // a screen-wide window, which would show black: a pale tint of a dark text colour, a dark one of a light.
    static QColor bandColor(const QColor &text);

    void setScreenRect(int x, int y, int width, int height);
    // Shows strs[0]; a notice arriving while another is on screen replaces its text and counts the earlier ones.
    void showNotice(int what, const QStringList &strs);

    int state() const { return animState; }
    int opacity() const { return opacityPercent; }
    int count() const { return noticeCount; }
    int appearStep() const { return appearStepMsec; }
    int disappearStep() const { return disappearStepMsec; }
    int backgroundType() const { return bgType; }

public slots:
    void slotShowAnimation();
    void SLOTUpdateCentralNoticeCfg();
    void slotUpdateCfg();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyWindowFlags();
    void placeWindow();
    void sizeSpacers(int type);

    Ui::CentralNotice *ui;
    QRect screenRect;
    bool opaque = false;
    AnimState animState = Idle;
    int opacityPercent = 0;
    int noticeCount = 0;
    int appearStepMsec = 20;
    int disappearStepMsec = 20;
    QColor textColor;
    QColor shadowColor;
    int bgType = 1;
    QTimer *animTimer;
    QTimer *cfgTimer;
    QGraphicsDropShadowEffect *shadowEffect;
};
