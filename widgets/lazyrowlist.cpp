#include "widgets/lazyrowlist.h"

#include "widgets/lazyrow.h"

#include <QEvent>
#include <QHash>
#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {
// Rows that left their list, deleted together from the event loop.
class RowBin : public QObject
{
public:
    ~RowBin() override { qDeleteAll(rows); }
    QVector<LazyRow *> rows;
};

// Every item is as high as a row: one answer for all, instead of a size stored in each item.
class RowHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return QSize(0, height); }
    int height = 0;
};
} // namespace

LazyRowList::LazyRowList(QListWidget *list) : QObject(list), list(list)
{
    // Every row is as high as the others: the view places them without asking each item.
    list->setUniformItemSizes(true);
    list->setItemDelegate(new RowHeightDelegate(list));
    // A larger list shows more rows, a scrolled one others.
    list->viewport()->installEventFilter(this);
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &LazyRowList::buildVisibleRows);
}

LazyRowList::~LazyRowList()
{
    qDeleteAll(entries);
}

void LazyRowList::setRows(int rowCount, const KeyOf &keyOf, const RowFor &rowFor)
{
    QHash<int, int> oldIndexOf;
    oldIndexOf.reserve(entries.size());
    for (int i = 0; i < entries.size(); ++i)
        oldIndexOf.insert(keys.at(i), i);
    QVector<LazyRow *> next(rowCount);
    QVector<int> nextKeys(rowCount);
    // The old index of each row that keeps its item, or -1: new rows, and rows that moved before another.
    QVector<int> keptAt(rowCount, -1);
    QVector<bool> reused(entries.size(), false);
    int kept = 0;
    int lastKept = -1;
    for (int i = 0; i < rowCount; ++i) {
        const int key = keyOf(i);
        const int old = oldIndexOf.value(key, -1);
        LazyRow *current = old >= 0 && !reused.at(old) ? entries.at(old) : nullptr;
        LazyRow *row = rowFor(i, current);
        if (current && row == current) {
            reused[old] = true;
            if (old > lastKept) {
                keptAt[i] = old;
                lastKept = old;
                ++kept;
            }
        }
        next[i] = row;
        nextKeys[i] = key;
    }
    // Inserting and removing items one run at a time moves the items behind each run: when most rows
    // changed, every item is made anew at once.
    if (kept < rowCount / 2)
        keptAt.fill(-1);

    const QVector<LazyRow *> old = entries;
    entries = next;
    keys = nextKeys;
    auto *rowHeight = static_cast<RowHeightDelegate *>(list->itemDelegate());
    if (rowHeight->height == 0 && rowCount > 0) {
        const QWidget *probe = entries.first()->createWidget(list->viewport());
        rowHeight->height = qMax(probe->height(), probe->sizeHint().height());
        delete probe;
    }
    // The items of the kept rows stay; the old items between them go, and new items come in their place.
    int at = 0;
    int oldNext = 0;
    int newItems = 0;
    const auto replaceUpTo = [&](int oldEnd) {
        removeItems(at, oldEnd - oldNext, old, oldNext);
        insertItems(at, newItems);
        at += newItems;
        newItems = 0;
        oldNext = oldEnd;
    };
    for (int i = 0; i < rowCount; ++i) {
        if (keptAt.at(i) < 0) {
            ++newItems;
            continue;
        }
        replaceUpTo(keptAt.at(i));
        ++at;
        ++oldNext;
    }
    replaceUpTo(old.size());

    // Until the event loop deletes them, the rows that went must not fire again next to their replacements.
    auto *gone = new RowBin;
    for (int i = 0; i < old.size(); ++i) {
        if (reused.at(i))
            continue;
        old.at(i)->stopUpdating();
        gone->rows.append(old.at(i));
    }
    gone->deleteLater();
    buildVisibleRows();
}

void LazyRowList::removeItems(int at, int count, const QVector<LazyRow *> &old, int firstOld)
{
    if (count <= 0)
        return;
    for (int i = firstOld; i < firstOld + count; ++i) {
        if (old.at(i)->widget()) {
            shown.removeOne(old.at(i));
            dropWidget(old.at(i));
        }
    }
    list->model()->removeRows(at, count);
}

void LazyRowList::insertItems(int at, int count)
{
    if (count <= 0)
        return;
    list->insertItems(at, QVector<QString>(count).toList());
}

void LazyRowList::buildVisibleRows()
{
    // By the list's own items: this also runs while the list is being rebuilt, when the scroll range changes.
    const QRect area = list->viewport()->rect();
    const QModelIndex top = list->indexAt(area.topLeft());
    int first = 0;
    int last = -1;
    if (top.isValid()) {
        first = last = top.row();
        while (last + 1 < entries.size() && list->visualItemRect(list->item(last + 1)).intersects(area))
            ++last;
    }
    const auto inView = [this, first, last](LazyRow *row) {
        return std::find(entries.cbegin() + first, entries.cbegin() + last + 1, row) != entries.cbegin() + last + 1;
    };
    for (int i = shown.size() - 1; i >= 0; --i) {
        LazyRow *row = shown.at(i);
        if (row->widget() && inView(row))
            continue;
        if (row->widget() && row->keepsWidget()) {
            // Out of view as well, over its item.
            placeWidget(entries.indexOf(row));
            continue;
        }
        shown.removeAt(i);
        dropWidget(row);
    }
    for (int i = first; i <= last; ++i)
        placeWidget(i);
}

void LazyRowList::placeWidget(int index)
{
    LazyRow *row = entries.at(index);
    QWidget *widget = row->widget();
    if (!widget) {
        widget = row->createWidget(list->viewport());
        row->setWidget(widget);
        shown.append(row);
    }
    widget->setGeometry(list->visualItemRect(list->item(index)));
    widget->show();
}

void LazyRowList::dropWidget(LazyRow *row)
{
    // Later: the widget may be handling the event that moved the list.
    QWidget *widget = row->widget();
    row->setWidget(nullptr);
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
}

bool LazyRowList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list->viewport() && event->type() == QEvent::Resize)
        buildVisibleRows();
    return QObject::eventFilter(watched, event);
}
