#include "widgets/lazyrow.h"

#include "widgets/rowticker.h"

#include <QHash>

namespace {
// The size the form gives a row, by kind of row, known once one row of the kind was built.
QHash<const QMetaObject *, QSize> builtFormSizes;
} // namespace

LazyRow::LazyRow(RowTicker &ticker, QWidget *parent) : QWidget(parent), ticker(ticker) {}

void LazyRow::placeOrBuild(FormBuilding building)
{
    // A row waiting for its form takes the size the form gives, so that the list can place it.
    const QSize built = builtFormSizes.value(metaObject());
    if (building == FormNow || !built.isValid())
        ensureForm();
    else
        resize(built);
}

void LazyRow::ensureForm()
{
    if (formBuilt)
        return;
    formBuilt = true;
    // The form sets its own size; a row already placed by its list keeps its place.
    const QSize placed = size();
    const bool wasPlaced = testAttribute(Qt::WA_Resized);
    buildForm();
    if (!builtFormSizes.contains(metaObject()))
        builtFormSizes.insert(metaObject(), QSize(width(), qMax(height(), sizeHint().height())));
    if (wasPlaced)
        resize(placed);
}

void LazyRow::startUpdating()
{
    ticker.attach();
    updating = true;
}

void LazyRow::stopUpdating()
{
    if (!updating)
        return;
    updating = false;
    ticker.disconnect(this);
    ticker.detach();
    ticker.clearDeadline(this);
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
