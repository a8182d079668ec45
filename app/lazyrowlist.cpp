#include "app/lazyrowlist.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

LazyRowList::LazyRowList(QListWidget *list, BuildForm buildForm)
    : QObject(list), list(list), buildForm(std::move(buildForm))
{
    // A larger list shows more rows, a scrolled one others.
    list->viewport()->installEventFilter(this);
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &LazyRowList::buildVisibleRows);
}

void LazyRowList::setRows(int count, const MakeRow &makeRow)
{
    // All items at once: item by item, the view re-lays out every row widget on each insertion or removal.
    list->clear();
    list->addItems(QVector<QString>(count).toList());
    for (int i = 0; i < count; ++i) {
        QWidget *row = makeRow(i, list->viewport());
        QListWidgetItem *item = list->item(i);
        item->setSizeHint(QSize(0, row->height()));
        list->setItemWidget(item, row);
    }
    buildVisibleRows();
}

int LazyRowList::count() const
{
    return list->count();
}

QWidget *LazyRowList::rowAt(int index) const
{
    return list->itemWidget(list->item(index));
}

void LazyRowList::buildVisibleRows()
{
    // By the list's own items: this also runs while the list is being rebuilt, when the scroll range changes.
    const QRect area = list->viewport()->rect();
    const QModelIndex first = list->indexAt(area.topLeft());
    if (!first.isValid())
        return;
    for (int i = first.row(); i < list->count(); ++i) {
        QListWidgetItem *item = list->item(i);
        if (!list->visualItemRect(item).intersects(area))
            break;
        if (QWidget *row = list->itemWidget(item))
            buildForm(row);
    }
}

bool LazyRowList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list->viewport() && event->type() == QEvent::Resize)
        buildVisibleRows();
    return QObject::eventFilter(watched, event);
}
