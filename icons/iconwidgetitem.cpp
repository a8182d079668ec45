#include "icons/iconwidgetitem.h"
#include "ui_iconwidgetitem.h"

#include "data/appglobals.h"
#include "data/interfacepublicdata.h"

#include <QEvent>
#include <QMenu>

IconWidgetItem::IconWidgetItem(QWidget *parent, int id, int what, const QString &path, const QString &notice)
    : QWidget(parent), ui(new Ui::IconWidgetItem), id(id), what(what), path(path), notice(notice)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_Hover);
    // The labels only show; the tile itself takes the mouse.
    for (QLabel *label : {ui->label_BackImage, ui->label_BorderImage, ui->label_Notice})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    installEventFilter(this);

    ui->label_BackImage->setPixmap(QPixmap(path));
    ui->label_Notice->setText(
        ui->label_Notice->fontMetrics().elidedText(notice, Qt::ElideRight, ui->label_Notice->width()));
    setToolTip(notice);
    showIdle();

    menu = new QMenu(this);
    actionSelect = menu->addAction(tr("选择"), this, &IconWidgetItem::slotActionSelect);
    actionEdit = menu->addAction(tr("编辑"), this, &IconWidgetItem::slotActionEdit);
    // A default picture can be replaced but not removed.
    if (id > 0)
        actionDelete = menu->addAction(tr("删除"), this, &IconWidgetItem::slotActionDelete);
    connect(this, &QWidget::customContextMenuRequested, this, &IconWidgetItem::slotShowMenu);
}

IconWidgetItem::~IconWidgetItem()
{
    delete ui;
}

void IconWidgetItem::send(Operate operate)
{
    emit interfacePublicData.SIGNALIconItemOperate(id, what, path, notice, operate);
}

void IconWidgetItem::showFrame(const char *frame)
{
    ui->label_BorderImage->setPixmap(QPixmap(QString::fromLatin1(frame)));
    ui->label_Notice->show();
}

void IconWidgetItem::showIdle()
{
    if (AppGlobals::showIconNoticeAlways) {
        showFrame(NormalFrame);
        return;
    }
    ui->label_BorderImage->clear();
    ui->label_Notice->hide();
}

bool IconWidgetItem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::HoverEnter:
        if (!hasFocus())
            showFrame(HoverFrame);
        return true;
    case QEvent::HoverLeave:
        if (!hasFocus())
            showIdle();
        return true;
    case QEvent::FocusIn:
        showFrame(FocusFrame);
        return true;
    case QEvent::FocusOut:
        showIdle();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void IconWidgetItem::mousePressEvent(QMouseEvent *)
{
    send(OperateSelect);
}

void IconWidgetItem::mouseReleaseEvent(QMouseEvent *)
{
    // The choice is made when the double click ends, so the picker closes after the button is up.
    if (doubleClicked) {
        doubleClicked = false;
        send(OperateChoose);
    }
}

void IconWidgetItem::mouseDoubleClickEvent(QMouseEvent *)
{
    doubleClicked = true;
}

void IconWidgetItem::slotShowMenu(QPoint point)
{
    menu->exec(mapToGlobal(point));
}

void IconWidgetItem::slotActionSelect()
{
    send(OperateChoose);
}

void IconWidgetItem::slotActionEdit()
{
    send(OperateEdit);
}

void IconWidgetItem::slotActionDelete()
{
    send(OperateDelete);
}
