#pragma once

#include <QObject>
#include <functional>

class QListWidget;
class QWidget;

// The rows of a long list, as item widgets that build their forms only once they come into view: until
// then a row is an empty widget of the size its form will have, and only the rows on screen cost their
// dozen widgets each.
class LazyRowList : public QObject
{
    Q_OBJECT

public:
    using BuildForm = std::function<void(QWidget *row)>;
    using MakeRow = std::function<QWidget *(int index, QWidget *parent)>;

    LazyRowList(QListWidget *list, BuildForm buildForm);

    // Replaces every row by count rows from makeRow, in order. The view deletes the old rows from the
    // event loop, which is safe also when the rebuild starts inside one of them; the caller stops them.
    void setRows(int count, const MakeRow &makeRow);
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
    QWidget *rowAt(int index) const;

    QListWidget *list;
    BuildForm buildForm;
};
