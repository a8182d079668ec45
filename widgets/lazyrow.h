#pragma once

#include "widgets/rowticker.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// A row of a long list (LazyRowList) that costs nothing until it is needed: the row holds its state and
// does its timed work without widgets, and the list gives it a widget only while it is in view. It ticks
// with its list's shared ticker: every time while its widget shows, otherwise only at the moment it
// asked for.
class LazyRow : public QObject
{
    Q_OBJECT

public:
    ~LazyRow() override;

    // The widget showing the row, if it has one.
    QWidget *widget() const { return shownBy; }
    // Shows the row in this widget (or in none); a widget shown ticks with every tick.
    void setWidget(QWidget *widget);

    // One tick at nowMs; a second tick at the same moment, or one after the row stopped, does nothing.
    void tick(qint64 nowMs);

    // Leaves the shared tick for good; a row that is being replaced calls it before it is deleted, so
    // that it cannot fire a second time next to its successor.
    void stopUpdating();
    bool isUpdating() const { return updating; }

protected:
    explicit LazyRow(RowTicker &ticker);

    // For the subclass's constructor, once the row's state is complete: joins the shared tick.
    void startUpdating();
    // The row's work at a tick.
    virtual void update(qint64 nowMs) = 0;
    // The row needs a tick at this moment (ms since the epoch), or at none.
    void setDeadline(qint64 atMs);
    void clearDeadline();

    RowTicker &ticker;

private:
    friend class LazyRowList;
    friend class RowTicker;

    // The widget that shows this row, for its list.
    virtual QWidget *createWidget(QWidget *parent) = 0;
    // Whether the row keeps its widget out of view (an edit in progress).
    virtual bool keepsWidget() const { return false; }

    QPointer<QWidget> shownBy;
    bool updating = false;
    qint64 tickedAtMs = 0;
    bool queued = false;
    RowTicker::Queue::iterator queuedAt;
};
