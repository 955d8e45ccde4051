#pragma once
// A title block: a rectangle divided into rows, each row into cells, each cell holding a text. A row's
// share of the block's height is its weight over the sum of the row weights; a cell's share of its
// row's width likewise. Copies of a block share its rows (the row vector holds shared pointers).
#include <memory>
#include <string>
#include <vector>

#include <QRectF>
#include <QSizeF>

#include "layout/geometry/LayoutItem.h"
#include "widgets/text/FontDescription.h"

class TitleLayoutItem : public LayoutItem {
public:
    class row;

    class cell {
    public:
        virtual ~cell() = default;
        // Draws the cell into its rectangle.
        virtual void draw(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const = 0;
        // Draws a fixed sample of the kind of cell.
        virtual void draw_sample(ORBAX_Platform::Graphics& graphics) const = 0;
        virtual QSizeF min_size() const { return QSizeF(0, 0); }

        float widthWeight = 1.0f;
        row* owner = nullptr; // the row that holds the cell, not owned

    protected:
        cell() = default;
    };

    class string_cell : public cell {
    public:
        string_cell(const FontDescription& font, const std::wstring& text) : text(text), font(font) {}
        // Outlined in 0xfff5f5dc, 1 mm wide; the text in "Arial" 12 pt, black, centred both ways.
        void draw(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const override;
        // "This is a string" at (10, 10) in "Arial" 10 pt, black.
        void draw_sample(ORBAX_Platform::Graphics& graphics) const override;

        std::wstring text;
        // Kept with the cell; the drawing does not use it.
        FontDescription font;
    };

    class row {
    public:
        float heightWeight = 1.0f;
        std::vector<std::shared_ptr<cell>> cells;
        // Appends a cell and makes this row its owner.
        void append(std::shared_ptr<cell> newCell);
    };

    // 50 x 50 mm, one row of two cells "Hello" and "There", each with the font "Arial" 3 pt regular.
    TitleLayoutItem();

    // Appends a row holding one cell "Hello" ("Arial" 3 pt regular), of weight 1.
    void InsertRow();

    // Where each cell of each row lies when the rows are drawn into `rect`. Rows whose weights add up to
    // nothing above 0, and cells likewise, get no rectangles.
    std::vector<std::vector<QRectF>> CellRects(const QRectF& rect) const;
    // Every cell drawn into its rectangle.
    void DrawRows(ORBAX_Platform::Graphics& graphics, const QRectF& rect) const;

    QRectF GetBounds(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                     const DrawingResources& resources) const override;
    bool HitTest(ORBAX_Platform::Graphics& graphics, const BoreholeDocument& document, const LayoutItemView& view,
                 const DrawingResources& resources, const QPointF& point) const override;
    // The block filled in 0xff4169e1, then its rows.
    void Draw(ORBAX_Platform::Graphics& graphics, const QRectF& area, const BoreholeDocument& document,
              const LayoutItemView& view, const DrawingResources& resources) const override;
    // The dialog over a copy (sharing the rows); true on OK. The copy's edits are not taken over.
    bool EditProperties(CQuorDoc& document, const QPointF& position);

    QRectF Bounds() const { return QRectF(0, 0, width, height); }

    std::vector<std::shared_ptr<row>> rows;
    float width = 50.0f;
    float height = 50.0f;
};
