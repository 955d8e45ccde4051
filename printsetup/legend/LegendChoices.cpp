#include "printsetup/legend/LegendChoices.h"

QStringList LegendSortOrderNames()
{
    return {QStringLiteral("Alphabetical"), QStringLiteral("Frequency"), QStringLiteral("Total thickness"),
            QStringLiteral("Order of appearance"), QStringLiteral("Order in hatch list")};
}

QStringList LegendIncludeModeNames()
{
    return {QStringLiteral("All items in hatch list"), QStringLiteral("All items in hole"),
            QStringLiteral("All items on page")};
}
