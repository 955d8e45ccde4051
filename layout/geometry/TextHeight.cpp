#include "layout/geometry/TextHeight.h"

#include <QFontMetricsF>

double MeasureTextHeight(ORBAX_Platform::Graphics& graphics, const QFont& font)
{
    const QFontMetricsF metrics(font, graphics.painter().device());
    return metrics.lineSpacing() * 25.4 / graphics.dpiY();
}
