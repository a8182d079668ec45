#include "widgets/lazyrow.h"

LazyRow::LazyRow(RowTicker &ticker) : ticker(ticker) {}

LazyRow::~LazyRow()
{
    stopUpdating();
}

void LazyRow::setWidget(QWidget *widget)
{
    if (shownBy == widget)
        return;
    shownBy = widget;
    if (widget && updating)
        ticker.addShown(this);
    else
        ticker.removeShown(this);
}

void LazyRow::tick(qint64 nowMs)
{
    if (!updating || tickedAtMs == nowMs)
        return;
    tickedAtMs = nowMs;
    update(nowMs);
}

void LazyRow::startUpdating()
{
    ticker.attach();
    updating = true;
    if (shownBy)
        ticker.addShown(this);
}

void LazyRow::stopUpdating()
{
    if (!updating)
        return;
    updating = false;
    ticker.removeShown(this);
    ticker.clearDeadline(this);
    ticker.detach();
}

void LazyRow::setDeadline(qint64 atMs)
{
    if (updating)
        ticker.setDeadline(this, atMs);
}

void LazyRow::clearDeadline()
{
    ticker.clearDeadline(this);
}
