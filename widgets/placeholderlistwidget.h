#pragma once

#include <QListWidget>

// A list that tells the user what to do while it is empty, and reports double clicks beside its items,
// so that the empty list is not a dead end.
class PlaceholderListWidget : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString placeholderText READ placeholderText WRITE setPlaceholderText)

public:
    explicit PlaceholderListWidget(QWidget *parent = nullptr);

    QString placeholderText() const { return placeholder; }
    void setPlaceholderText(const QString &text);

signals:
    // A double click where no item is.
    void SIGNALBlankDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString placeholder;
};
