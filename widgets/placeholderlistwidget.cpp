#include "widgets/placeholderlistwidget.h"

#include <QMouseEvent>
#include <QPainter>

PlaceholderListWidget::PlaceholderListWidget(QWidget *parent) : QListWidget(parent) {}

void PlaceholderListWidget::setPlaceholderText(const QString &text)
{
    placeholder = text;
    viewport()->update();
}

void PlaceholderListWidget::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (count() > 0 || placeholder.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin), Qt::AlignCenter | Qt::TextWordWrap,
                     placeholder);
}

void PlaceholderListWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (!itemAt(event->pos()))
        emit SIGNALBlankDoubleClicked();
}
