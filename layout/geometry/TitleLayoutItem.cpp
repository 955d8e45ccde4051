#include "layout/geometry/TitleLayoutItem.h"

#include <QPainter>

#include "platform/qt/Graphics.h"

using ORBAX_Platform::CreateNamedFont;

namespace {

const FontDescription kCellFont(L"Arial", false, false, 3.0f);

std::shared_ptr<TitleLayoutItem::cell> StringCell(const wchar_t* text)
{
    return std::make_shared<TitleLayoutItem::string_cell>(kCellFont, text);
}

} // namespace

void TitleLayoutItem::row::append(std::shared_ptr<cell> newCell)
{
    newCell->owner = this;
    cells.push_back(std::move(newCell));
}

TitleLayoutItem::TitleLayoutItem()
{
    // Every row gets a weight when it is made, so that the rows always share the height.
    auto first = std::make_shared<row>();
    first->heightWeight = 1.0f;
    first->append(StringCell(L"Hello"));
    first->append(StringCell(L"There"));
    rows.push_back(std::move(first));
}

void TitleLayoutItem::InsertRow()
{
    auto added = std::make_shared<row>();
    added->heightWeight = 1.0f;
    added->append(StringCell(L"Hello"));
    rows.push_back(std::move(added));
}

std::vector<std::vector<QRectF>> TitleLayoutItem::CellRects(const QRectF& rect) const
{
    std::vector<std::vector<QRectF>> result(rows.size());
    double rowSum = 0.0;
    for (const auto& r : rows)
        rowSum += r->heightWeight;
    if (!(rowSum > 0.0))
        return result;
    double top = rect.y();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const row& r = *rows[i];
        const double rowHeight = r.heightWeight * rect.height() / rowSum;
        double cellSum = 0.0;
        for (const auto& c : r.cells)
            cellSum += c->widthWeight;
        if (cellSum > 0.0) {
            double left = rect.x();
            for (const auto& c : r.cells) {
                const double cellWidth = c->widthWeight * rect.width() / cellSum;
                result[i].emplace_back(left, top, cellWidth, rowHeight);
                left += cellWidth;
            }
        }
        top += rowHeight;
    }
    return result;
}

void TitleLayoutItem::DrawRows(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const
{
    const auto cellRects = CellRects(rect);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < cellRects[i].size(); ++j)
            rows[i]->cells[j]->draw(graphics, cellRects[i][j]);
}

void TitleLayoutItem::string_cell::draw(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const
{
    QPainter& painter = graphics.painter();
    painter.save();
    painter.setPen(ORBAX_Platform::MakePen(0xFFF5F5DCu, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
    graphics.drawTextCentred(QString::fromStdWString(text), CreateNamedFont(QStringLiteral("Arial"), 12), 0xFF000000u,
                             rect);
}

void TitleLayoutItem::string_cell::draw_sample(ORBAX_Platform::Graphics& graphics) const
{
    QPainter& painter = graphics.painter();
    painter.save();
    painter.setFont(graphics.deviceFont(CreateNamedFont(QStringLiteral("Arial"), 10)));
    painter.setPen(QColor(Qt::black));
    painter.drawText(QRectF(QPointF(10, 10), QSizeF()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     QStringLiteral("This is a string"));
    painter.restore();
}

QRectF TitleLayoutItem::GetBounds(ORBAX_Platform::Graphics&, const BoreholeDocument&, const LayoutItemView&,
                                  const DrawingResources&) const
{
    return Bounds();
}

bool TitleLayoutItem::HitTest(ORBAX_Platform::Graphics&, const BoreholeDocument&, const LayoutItemView&,
                              const DrawingResources&, const QPointF& point) const
{
    return LayoutGeometry::Contains(Bounds(), point);
}

void TitleLayoutItem::Draw(ORBAX_Platform::Graphics& graphics, const QRectF&, const BoreholeDocument&,
                           const LayoutItemView&, const DrawingResources&) const
{
    graphics.fillRect(Bounds(), 0xFF4169E1u);
    DrawRows(graphics, Bounds());
}
