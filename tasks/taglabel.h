#pragma once

#include <QColor>
#include <QLabel>

// A label drawn as a small filled tag with rounded corners: white text on a colour. Rows of long lists
// use it instead of a style sheet, which is matched for every widget of every row and makes building a
// list many times slower.
class TagLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    static constexpr int Radius = 3;

    explicit TagLabel(QWidget *parent = nullptr);

    QColor color() const { return tagColor; }
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor tagColor = QColor(0x1f, 0xa8, 0x31);
};
