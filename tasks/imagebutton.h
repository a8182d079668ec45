#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button drawn only as a picture stretched over its whole area, with other pictures while it is
// checked or under the mouse. Rows of long lists use it instead of a style sheet with border images:
// a style sheet is matched for every widget of every row and makes building a list many times slower.
class ImageButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString image READ image WRITE setImage)
    Q_PROPERTY(QString checkedImage READ checkedImage WRITE setCheckedImage)
    Q_PROPERTY(QString hoverImage READ hoverImage WRITE setHoverImage)

public:
    explicit ImageButton(QWidget *parent = nullptr);

    QString image() const { return imagePath; }
    void setImage(const QString &path);
    // Shown while checked; none means the plain picture.
    QString checkedImage() const { return checkedPath; }
    void setCheckedImage(const QString &path);
    // Shown while the mouse is over the button; none means the plain picture.
    QString hoverImage() const { return hoverPath; }
    void setHoverImage(const QString &path);

    // The picture painted in the button's present state.
    QString currentImage() const;

    // The picture of a file, loaded once per path and kept in the pixmap cache; a missing file gives an
    // empty picture. Loading by path alone also spares the file-date lookups of QPixmap's own cache.
    static QPixmap cachedPixmap(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QString imagePath;
    QString checkedPath;
    QString hoverPath;
};
