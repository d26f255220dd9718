#include "program_resources.h"

#include "yoga/asana_catalogue.h"

namespace pranoth {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : {16, 32, 48, 64, 128, 256})
            sizes.addFile(QStringLiteral(":/icon/pranoth-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}

QString asanaPicturePath(int position)
{
    const std::string_view file = asanaPictureFile(position);
    if (file.empty())
        return {};
    return QStringLiteral(":/pictures/") +
           QString::fromLatin1(file.data(), static_cast<qsizetype>(file.size()));
}

QPixmap asanaPicture(int position, qreal devicePixelRatio)
{
    const QString path = asanaPicturePath(position);
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

} // namespace pranoth
