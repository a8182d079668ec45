#include "widgets/lazyrowlist.h"

#include "widgets/lazyrow.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

LazyRowList::LazyRowList(QListWidget *list) : QObject(list), list(list)
{
    // A larger list shows more rows, a scrolled one others.
    list->viewport()->installEventFilter(this);
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &LazyRowList::buildVisibleRows);
}

void LazyRowList::setRows(int rowCount, const MakeRow &makeRow)
{
    // Until the view deletes them, the old rows must not fire again next to their replacements.
    for (int i = 0; i < count(); ++i)
        rowAt(i)->stopUpdating();
    // All items at once: item by item, the view re-lays out every row widget on each insertion or removal.
    list->clear();
    list->addItems(QVector<QString>(rowCount).toList());
    for (int i = 0; i < rowCount; ++i) {
        LazyRow *row = makeRow(i, list->viewport());
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

LazyRow *LazyRowList::rowAt(int index) const
{
    return static_cast<LazyRow *>(list->itemWidget(list->item(index)));
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
        if (LazyRow *row = rowAt(i))
            row->ensureForm();
    }
}

bool LazyRowList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list->viewport() && event->type() == QEvent::Resize)
        buildVisibleRows();
    return QObject::eventFilter(watched, event);
}
