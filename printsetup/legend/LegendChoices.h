#pragma once
// The names a legend's sort orders and include modes are chosen by, in the order of their numbers
// (LegendUtils::SortOrder and LegendUtils::IncludeMode), for the page setup and the layout's legend.
#include <QStringList>

QStringList LegendSortOrderNames();
QStringList LegendIncludeModeNames();
