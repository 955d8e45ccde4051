#include "dialogs/QuorLogo.h"

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// A borehole log column of hatched strata with a curve beside it.
const char kLogoSvg[] = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 64 64" width="64" height="64">
  <rect x="6" y="4" width="24" height="56" fill="#ffffff"/>
  <rect x="6" y="4" width="24" height="13.6" fill="#f2dc9b"/>
  <rect x="6" y="17.6" width="24" height="9" fill="#c9c9c9"/>
  <rect x="6" y="26.6" width="24" height="5" fill="#1b1b1b"/>
  <rect x="6" y="31.6" width="24" height="14" fill="#b7d3e6"/>
  <rect x="6" y="45.6" width="24" height="14.4" fill="#f2dc9b"/>
  <g fill="#7a5c1e">
    <circle cx="10" cy="8" r="0.8"/><circle cx="16" cy="10" r="0.8"/><circle cx="22" cy="7" r="0.8"/>
    <circle cx="27" cy="12" r="0.8"/><circle cx="12" cy="14" r="0.8"/><circle cx="20" cy="15" r="0.8"/>
    <circle cx="10" cy="50" r="0.8"/><circle cx="17" cy="53" r="0.8"/><circle cx="24" cy="49" r="0.8"/>
    <circle cx="13" cy="57" r="0.8"/><circle cx="21" cy="58" r="0.8"/><circle cx="27" cy="55" r="0.8"/>
  </g>
  <path d="M6 20.6H30M6 23.6H30" stroke="#555555" stroke-width="0.6"/>
  <path d="M6 38.6H30M12 31.6V38.6M20 31.6V38.6M28 31.6V38.6M8 38.6V45.6M16 38.6V45.6M24 38.6V45.6"
        stroke="#3a5f7a" stroke-width="0.6" fill="none"/>
  <path d="M6 17.6H30M6 26.6H30M6 31.6H30M6 45.6H30" stroke="#222222" stroke-width="0.8"/>
  <rect x="6" y="4" width="24" height="56" fill="none" stroke="#222222" stroke-width="1.2"/>
  <path d="M36 4V60" stroke="#888888" stroke-width="0.6" stroke-dasharray="2,2"/>
  <path d="M44 4 C38 10 52 14 46 20 S36 28 48 31 S56 40 42 45 S50 54 46 60"
        fill="none" stroke="#1f7a3a" stroke-width="2" stroke-linecap="round"/>
</svg>)svg";

} // namespace

QPixmap QuorLogoPixmap(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QByteArray::fromRawData(kLogoSvg, sizeof kLogoSvg - 1));
    if (!renderer.isValid())
        return pixmap;
    QSizeF drawn = QSizeF(renderer.defaultSize()).scaled(QSizeF(size), Qt::KeepAspectRatio);
    QRectF target((size.width() - drawn.width()) / 2.0, (size.height() - drawn.height()) / 2.0, drawn.width(),
                  drawn.height());
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    return pixmap;
}
