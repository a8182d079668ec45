#pragma once

#include <QObject>
#include <QVector>
#include <functional>

class LazyRow;
class QListWidget;

// The rows of a long list: one item per row, and widgets only for the rows in view, so that a list of
// ten thousand rows holds a screenful of widgets. The rows themselves (LazyRow) keep their state and
// tick without widgets. The widgets are children of the list's viewport placed over their items, not
// item widgets: the view lays every item out again for each item widget set.
class LazyRowList : public QObject
{
    Q_OBJECT

public:
    // The row to show at an index: current, the row shown now under the same key, when it still shows
    // what the index must show; otherwise a new row.
    using RowFor = std::function<LazyRow *(int index, LazyRow *current)>;
    using KeyOf = std::function<int(int index)>;

    explicit LazyRowList(QListWidget *list);
    ~LazyRowList() override;

    // Shows rowCount rows in order, each named by its key (the id of its record). A row kept keeps its item
    // and widget; the others stop at once and are deleted from the event loop, which is safe also when
    // the change starts inside one of them.
    void setRows(int rowCount, const KeyOf &keyOf, const RowFor &rowFor);
    // The rows, in list order, as the type the caller made them.
    template <class Row> QList<Row *> rows() const
    {
        QList<Row *> result;
        result.reserve(entries.size());
        for (LazyRow *row : entries)
            result.append(static_cast<Row *>(row));
        return result;
    }
    // Gives the rows in view their widgets, over their items, and takes them from the rows out of view.
    void buildVisibleRows();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeWidget(int index);
    static void dropWidget(LazyRow *row);
    // Removes count items from position at, the items of old[firstOld] on, with their widgets.
    void removeItems(int at, int count, const QVector<LazyRow *> &old, int firstOld);
    void insertItems(int at, int count);

    QListWidget *list;
    QVector<LazyRow *> entries;
    QVector<int> keys;
    // The rows that have a widget.
    QVector<LazyRow *> shown;
};
