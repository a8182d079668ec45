#include "icons/iconlibrary.h"

#include "platform/safefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

QString IconLibrary::directory(int what)
{
    return what == KindBirthday ? QStringLiteral("src/icon/birthday/") : QStringLiteral("src/icon/task/");
}

QString IconLibrary::defaultPath(int what)
{
    return directory(what) + QStringLiteral("default.png");
}

QString IconLibrary::picturePath(int what, int id, const QString &note)
{
    return directory(what) + QStringLiteral("%1_%2.png").arg(id).arg(note);
}

QImage IconLibrary::convert(const QImage &source)
{
    const QImage scaled = source.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(PictureSize, PictureSize, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((PictureSize - scaled.width()) / 2, (PictureSize - scaled.height()) / 2, scaled);
    return square;
}

bool IconLibrary::isTooLarge(const QSize &size)
{
    return qint64(size.width()) * size.height() > MaxPicturePixels;
}

QImage IconLibrary::readConverted(QImageReader &reader)
{
    const QSize size = reader.size();
    // Only the final pixels are kept in memory; smaller pictures are scaled up by convert().
    if (size.width() > PictureSize || size.height() > PictureSize)
        reader.setScaledSize(size.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    return image.isNull() ? QImage() : convert(image);
}

bool IconLibrary::isDroppablePicture(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".jpg")) || fileName.endsWith(QLatin1String(".png"));
}

QRegularExpression IconLibrary::noteRule()
{
    return QRegularExpression(QStringLiteral("[0-9a-zA-Z _\\-\u4e00-\u9fa5]{0,16}"));
}

bool IconLibrary::writePicture(const QImage &image, const QString &path, QString *error)
{
    // PNG is built into Qt: encoding a picture into memory does not fail.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return SafeFile::write(path, bytes, error);
}

bool IconLibrary::isSameFile(const QString &a, const QString &b)
{
    return QFileInfo::exists(a) && QFileInfo(a) == QFileInfo(b);
}

bool IconLibrary::placeFile(const QString &source, const QString &target)
{
    if (!QFileInfo::exists(source))
        return false;
    // One file under two spellings (a case change where names are case-blind): a plain rename.
    if (isSameFile(source, target))
        return source == target || QFile::rename(source, target);
    QDir().mkpath(QFileInfo(target).absolutePath());

    const QString aside = target + QStringLiteral(".old");
    const bool replacing = QFileInfo::exists(target);
    if (replacing) {
        QFile::remove(aside);
        if (!QFile::rename(target, aside))
            return false;
    }
    if (!QFile::rename(source, target)) {
        if (replacing)
            QFile::rename(aside, target);
        return false;
    }
    if (replacing)
        QFile::remove(aside);
    return true;
}
