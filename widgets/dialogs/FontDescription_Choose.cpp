// Choosing a font description in the font dialog: the one part of the description that needs a
// window, kept apart so that windowless code can hold descriptions.
#include <cmath>

#include <QFont>

#include "platform/services/Services.h"
#include "widgets/text/FontDescription.h"

bool FontDescription::Choose(QWidget* parent)
{
    // The dialog starts from the size in points: a pixel size would leave it without one.
    QFont initial;
    initial.setFamily(QString::fromStdWString(face));
    if (size > 0)
        initial.setPointSizeF(size);
    initial.setWeight(bold ? QFont::Bold : QFont::Normal);
    initial.setItalic(italic);

    QFont chosen;
    if (!ORBAX_Platform::filePrompts().chooseFont(parent, initial, chosen))
        return false;
    face = chosen.family().toStdWString();
    // The dialog speaks in tenths of a point.
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : chosen.pointSize();
    if (points > 0)
        size = static_cast<float>(std::round(points * 10.0) / 10.0);
    bold = chosen.weight() >= QFont::Bold;
    italic = chosen.italic();
    return true;
}
