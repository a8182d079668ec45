#include "tasks/taglabel.h"

#include <QPainter>

TagLabel::TagLabel(QWidget *parent) : QLabel(parent)
{
    // A one-pixel border and two pixels of padding on either side of the text.
    setContentsMargins(3, 1, 3, 1);
}

void TagLabel::setColor(const QColor &color)
{
    tagColor = color;
    update();
}

void TagLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tagColor);
    painter.drawRoundedRect(QRectF(rect()), Radius, Radius);
    painter.setPen(Qt::white);
    painter.drawText(contentsRect(), int(alignment()), text());
}
