#pragma once

#include <QProxyStyle>

// The platform's style, with room around the text of push buttons: Qt's styles spend the button margin
// on both sides together, which leaves a long text two or three pixels from the frame.
class ButtonPaddingStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ButtonPaddingStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contentsSize,
                           const QWidget *widget = nullptr) const override;
};
