#pragma once
// The program's logo, drawn from vector data built into the program: the welcome dialog shows it
// (control 1171), and so can any other window that carries the logo.
#include <QPixmap>
#include <QSize>

// The logo scaled into `size` (its proportions kept, centred), on a transparent background.
QPixmap QuorLogoPixmap(const QSize& size);
