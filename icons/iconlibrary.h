#pragma once

#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QString>

// The picture files of the icon library: where they live, how imported pictures are converted, and
// how a file is put in place without losing the one it replaces.
class IconLibrary
{
public:
    enum Kind : int
    {
        KindTask = 0,
        KindBirthday = 1,
    };

    static constexpr int PictureSize = 144;
    static constexpr int TilesPerRow = 8;
    // Holds the converted picture until it is saved or discarded.
    static constexpr const char *ScratchPath = "src/icon/convert.png";

    // "src/icon/task/" for tasks, "src/icon/birthday/" for birthdays.
    static QString directory(int what);
    static QString defaultPath(int what);
    // A library picture: the id keeps the name unique, the note makes it readable.
    static QString picturePath(int what, int id, const QString &note);

    // Larger pictures are refused: decoding one takes seconds and gigabytes for a 144-pixel icon.
    static constexpr qint64 MaxPicturePixels = 50000000;

    // The picture scaled to fit the square, centred on a transparent background.
    static QImage convert(const QImage &source);
    static bool isTooLarge(const QSize &size);
    // Decodes the picture already scaled down to fit the square, then converts it; null when unreadable.
    static QImage readConverted(QImageReader &reader);
    // Dropped files are taken only with these exact endings.
    static bool isDroppablePicture(const QString &fileName);
    // Notes become part of file names: letters, digits, space, underscore, hyphen and CJK ideographs.
    static QRegularExpression noteRule();

    // Writes the picture as PNG through SafeFile; false with a message naming the path and the reason.
    static bool writePicture(const QImage &image, const QString &path, QString *error);
    // Moves source to target, replacing a file there. On failure the target keeps its old content
    // and the source stays where it was.
    static bool placeFile(const QString &source, const QString &target);
    static bool isSameFile(const QString &a, const QString &b);
};
