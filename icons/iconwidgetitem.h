#pragma once

#include <QWidget>

namespace Ui {
class IconWidgetItem;
}
class QAction;
class QMenu;

// One 64 x 64 picture of the icon library with its note and a frame for hover and focus. Every user
// action is broadcast on the hub (SIGNALIconItemOperate) with one of the operate codes below.
class IconWidgetItem : public QWidget
{
    Q_OBJECT

public:
    enum Operate : int
    {
        OperateSelect = 0,
        OperateChoose = 1,
        OperateEdit = 2,
        OperateDelete = 3,
    };

    // Read where the program was delivered (the search path set at start), never copied to the user's data.
    static constexpr const char *NormalFrame = "delivered:icon/default/normal.png";
    static constexpr const char *HoverFrame = "delivered:icon/default/hover.png";
    static constexpr const char *FocusFrame = "delivered:icon/default/focus.png";

    IconWidgetItem(QWidget *parent, int id, int what, const QString &path, const QString &notice);
    ~IconWidgetItem() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void slotShowMenu(QPoint point);
    void slotActionSelect();
    void slotActionEdit();
    void slotActionDelete();

private:
    void send(Operate operate);
    void showFrame(const char *frame);
    // The look without hover or focus: the normal frame and the note when notes are always shown.
    void showIdle();

    Ui::IconWidgetItem *ui;
    QMenu *menu = nullptr;
    QAction *actionSelect = nullptr;
    QAction *actionEdit = nullptr;
    QAction *actionDelete = nullptr;
    int id;
    int what;
    QString path;
    QString notice;
    bool doubleClicked = false;
};
