#pragma once

#include <QLabel>

// A one-line label that may be narrower than its text: it then ends the text with an ellipsis and shows
// the whole text as its tool tip. The text is always plain.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    // The text as painted at the label's present width.
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
