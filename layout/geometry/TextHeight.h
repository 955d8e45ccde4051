#pragma once
// The height of a line of text as the layout items measure it: the font's line spacing on the device
// the graphics draws on, in millimetres. Every rectangle of a section follows from it.
#include <QFont>
#include <QString>

#include "platform/qt/Graphics.h"

double MeasureTextHeight(ORBAX_Platform::Graphics& graphics, const QFont& font);

// The sample text the items measure.
inline QString SampleText() { return QStringLiteral("Our test string"); }
