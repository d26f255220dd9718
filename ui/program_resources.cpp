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

QPixmap asanaPicture(int position)
{
    const QString path = asanaPicturePath(position);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

} // namespace pranoth
