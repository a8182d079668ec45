#include "tasks/imagebutton.h"

#include <QEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

ImageButton::ImageButton(QWidget *parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

void ImageButton::setImage(const QString &path)
{
    imagePath = path;
    update();
}

void ImageButton::setCheckedImage(const QString &path)
{
    checkedPath = path;
    update();
}

void ImageButton::setHoverImage(const QString &path)
{
    hoverPath = path;
    update();
}

QString ImageButton::currentImage() const
{
    if (isChecked() && !checkedPath.isEmpty())
        return checkedPath;
    if (underMouse() && !hoverPath.isEmpty())
        return hoverPath;
    return imagePath;
}

QPixmap ImageButton::cachedPixmap(const QString &path)
{
    QPixmap pixmap;
    const QString key = QStringLiteral("pemmora-image:") + path;
    if (!QPixmapCache::find(key, &pixmap) && pixmap.load(path))
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void ImageButton::paintEvent(QPaintEvent *)
{
    const QPixmap pixmap = cachedPixmap(currentImage());
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), pixmap);
    // Reached with Tab, the button shows that it has the focus.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

bool ImageButton::event(QEvent *event)
{
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QPushButton::event(event);
}
