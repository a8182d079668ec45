#pragma once

#include <QObject>
#include <functional>

class LazyRow;
class QListWidget;
class QWidget;

// The rows of a long list, as item widgets that build their forms only once they come into view: only
// the rows on screen cost their dozen widgets each.
class LazyRowList : public QObject
{
    Q_OBJECT

public:
    using MakeRow = std::function<LazyRow *(int index, QWidget *parent)>;

    explicit LazyRowList(QListWidget *list);

    // Replaces every row by rowCount rows from makeRow, in order. The old rows stop at once and are deleted
    // from the event loop, which is safe also when the rebuild starts inside one of them.
    void setRows(int rowCount, const MakeRow &makeRow);
    // The rows, in list order, as the type the caller made them.
    template <class Row> QList<Row *> rows() const
    {
        QList<Row *> rows;
        for (int i = 0; i < count(); ++i)
            rows.append(static_cast<Row *>(rowAt(i)));
        return rows;
    }
    void buildVisibleRows();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int count() const;
    LazyRow *rowAt(int index) const;

    QListWidget *list;
};
