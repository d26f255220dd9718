#include "program_resources.h"

#include "qt_text.h"
#include "yoga/asana_catalogue.h"

#include <QImage>

#include <cstdint>

namespace {
#include "resources/icon/pranoth_icon_pixels.inc"
} // namespace

namespace pranoth {

namespace {

QPixmap iconPixmap(const std::uint32_t *pixels, int size)
{
    // The pixels are in the program's own memory: QImage reads them in place.
    const QImage image(reinterpret_cast<const uchar *>(pixels), size, size,
                       static_cast<qsizetype>(size) * qsizetype(sizeof(std::uint32_t)),
                       QImage::Format_ARGB32);
    return QPixmap::fromImage(image);
}

QPixmap pictureAt(const QString &path, qreal devicePixelRatio)
{
    if (path.isEmpty())
        return {};
    if (devicePixelRatio > 1.0) {
        QString dense = path;
        dense.insert(dense.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        QPixmap picture(dense);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    return QPixmap{path};
}

} // namespace

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        sizes.addPixmap(iconPixmap(IconPixels16, 16));
        sizes.addPixmap(iconPixmap(IconPixels32, 32));
        sizes.addPixmap(iconPixmap(IconPixels48, 48));
        sizes.addPixmap(iconPixmap(IconPixels64, 64));
        return sizes;
    }();
    return icon;
}

QString asanaPicturePath(int position)
{
    const std::string_view file = asanaPictureFile(position);
    if (file.empty())
        return {};
    return QStringLiteral(":/pictures/") + fromLatin1(file);
}

QPixmap asanaPicture(int position, qreal devicePixelRatio)
{
    return pictureAt(asanaPicturePath(position), devicePixelRatio);
}

QPixmap sessionPicture(std::string_view name, qreal devicePixelRatio)
{
    return name.empty() ? QPixmap()
                        : pictureAt(QStringLiteral(":/pictures/") + fromLatin1(name) +
                                        QStringLiteral(".jpg"),
                                    devicePixelRatio);
}

} // namespace pranoth
