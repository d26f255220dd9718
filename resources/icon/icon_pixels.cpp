// Made into a build tool: writes the window icon's pixels from the icon's PNGs
// as C++ arrays, one per size, for the program to set its icon from.
//   pranoth_icon_pixels OUTPUT.inc pranoth-16.png pranoth-32.png ...
// Each array is named IconPixelsN for an N x N picture: straight (not
// premultiplied) ARGB pixels, row by row.

#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.inc PICTURE.png...\n", argv[0]);
        return 2;
    }
    QFile output(QFile::decodeName(argv[1]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    QTextStream out(&output);
    out << "// Made by the build from the icon's PNGs: straight (not premultiplied)\n"
           "// ARGB pixels, row by row; 0 is a transparent pixel.\n";
    for (int i = 2; i < argc; ++i) {
        const QImage picture(QFile::decodeName(argv[i]));
        if (picture.isNull() || picture.width() != picture.height()) {
            std::fprintf(stderr, "%s: %s is not a square picture\n", argv[0], argv[i]);
            return 1;
        }
        const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
        out << "inline constexpr std::uint32_t IconPixels" << pixels.width() << "[] = {\n";
        int written = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            for (int x = 0; x < pixels.width(); ++x) {
                const QRgb pixel = row[x];
                if (pixel == 0)
                    out << "0,";
                else
                    out << "0x" << QString::number(pixel, 16).rightJustified(8, QLatin1Char('0'))
                        << ',';
                if (++written % 8 == 0)
                    out << '\n';
            }
        }
        out << "};\n";
    }
    out.flush();
    return output.error() == QFile::NoError ? 0 : 1;
}
