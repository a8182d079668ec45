#include "widgets/buttonpaddingstyle.h"

#include <QStyleOptionButton>

ButtonPaddingStyle::ButtonPaddingStyle() : QProxyStyle() {}

QSize ButtonPaddingStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                                           const QWidget *widget) const
{
    QSize size = QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (type == CT_PushButton && button && !button->text.isEmpty()) {
        // A whole button margin and the frame on either side of the text.
        const int side =
            pixelMetric(PM_ButtonMargin, option, widget) + pixelMetric(PM_DefaultFrameWidth, option, widget);
        size.setWidth(qMax(size.width(), contentsSize.width() + 2 * side));
    }
    return size;
}
