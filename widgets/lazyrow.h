#pragma once

#include "widgets/rowticker.h"

#include <QWidget>

// A row of a long list (LazyRowList) that costs nothing until it is needed: it may leave its widgets
// unbuilt until it scrolls into view, being meanwhile an empty widget of the size the first built row of
// its kind took, and it follows its list's shared tick instead of a timer of its own.
class LazyRow : public QWidget
{
    Q_OBJECT

public:
    enum FormBuilding
    {
        FormNow,
        FormWhenShown,
    };

    // Builds the row's widgets if they are not built yet.
    void ensureForm();

    // Leaves the shared tick for good; a row that is being replaced calls it before it is deleted, so
    // that it cannot fire a second time next to its successor.
    virtual void stopUpdating();

protected:
    LazyRow(RowTicker &ticker, QWidget *parent);

    // For the subclass's constructor, once the row's state is complete: builds the form or takes its size.
    void placeOrBuild(FormBuilding building);
    // Then joins the shared tick with the subclass's slot.
    template <class Row> void joinTick(void (Row::*slot)(qint64 nowMs))
    {
        connect(&ticker, &RowTicker::SIGNALTick, static_cast<Row *>(this), slot);
        startUpdating();
    }
    bool isUpdating() const { return updating; }
    // Off screen the row needs a tick at this moment (ms since the epoch), or at none.
    void setDeadline(qint64 atMs);
    void clearDeadline();

    // Sets up the form and shows the row's state in it.
    virtual void buildForm() = 0;

    RowTicker &ticker;

private:
    void startUpdating();

    bool formBuilt = false;
    bool updating = false;
};
