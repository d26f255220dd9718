#include "readable_colour.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace pranoth {

namespace {

double luminance(const QColor &colour)
{
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget *widget, std::function<void()> apply)
        : QObject(widget), apply_(std::move(apply))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> apply_;
};

} // namespace

double contrastRatio(const QColor &one, const QColor &other)
{
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background, double minimum)
{
    if (contrastRatio(colour, background) >= minimum)
        return colour;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    colour.getHslF(&hue, &saturation, &lightness);
    // As painted: whole steps of red, green and blue.
    const auto at = [&](double l) {
        const QColor shade = QColor::fromHslF(hue, saturation, static_cast<float>(l));
        return QColor(shade.red(), shade.green(), shade.blue());
    };
    const bool lighter =
        contrastRatio(Qt::white, background) >= contrastRatio(Qt::black, background);
    double near = lightness;
    double far = lighter ? 1.0 : 0.0;
    if (contrastRatio(at(far), background) < minimum)
        return at(far);
    for (int step = 0; step < 16; ++step) {
        const double middle = (near + far) / 2;
        (contrastRatio(at(middle), background) >= minimum ? far : near) = middle;
    }
    return at(far);
}

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

QColor tintOn(const QColor &paleTint, const QPalette &palette, QPalette::ColorRole role)
{
    if (!isDark(palette))
        return paleTint;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    paleTint.getHslF(&hue, &saturation, &lightness);
    // A tint over white is its full hue (lightness one half) in a share of
    // twice its distance from white.
    const float share = std::clamp(2.0F * (1.0F - lightness), 0.0F, 1.0F);
    const QColor full = QColor::fromHslF(hue, saturation, 0.5F).toRgb();
    const QColor under = palette.color(role);
    const auto mix = [share](int from, int to) {
        return static_cast<int>(std::lround(from + share * static_cast<float>(to - from)));
    };
    return {mix(under.red(), full.red()), mix(under.green(), full.green()),
            mix(under.blue(), full.blue())};
}

void colourText(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(),
                     readableOn(colour, palette.color(widget->backgroundRole())));
    widget->setPalette(palette);
}

void colourBox(QWidget *box, const QColor &paleTint, const QColor &colour)
{
    QPalette palette = box->palette();
    palette.setColor(box->backgroundRole(),
                     tintOn(paleTint, box->window()->palette(), box->backgroundRole()));
    box->setPalette(palette);
    colourText(box, colour);
}

void followPalette(QWidget *widget, std::function<void()> apply)
{
    apply();
    widget->installEventFilter(new PaletteFollower(widget, std::move(apply)));
}

} // namespace pranoth
