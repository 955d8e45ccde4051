#pragma once
// The page-layout view: one printer page composed of sections of the log, legends and title blocks,
// each added through its dialog, placed by dragging, edited, deleted and printed. It stands in the
// main frame in place of the borehole view it is linked to, whose traces, fonts and settings the
// sections draw with, and has a bar of its own at the top of the frame. Nothing of the page is kept:
// it exists while the view exists.
#include <functional>
#include <memory>

#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include "layout/geometry/LayoutPage.h"

class CommandFrame;
class QMainWindow;
class CQuorDoc;
class CQuorView;
class QAction;
class QMenu;
class QPainter;
class QPrinter;
class QToolBar;
struct DrawingResources;

namespace ORBAX_Platform {
class Graphics;
}

class CQuorLayout : public QWidget {
    Q_OBJECT
public:
    CQuorLayout(CQuorDoc* document, CQuorView* view, CommandFrame* frame, QWidget* parent = nullptr);
    ~CQuorLayout() override;

    // The bar (214) at the top of the frame, and the default printer's settings.
    void OnCreate();

    CQuorDoc* GetDocument() const { return m_document; }
    CQuorView* LinkedView() const;
    QToolBar* Bar() const;
    LayoutPage& Page() { return m_page; }
    const LayoutPage& Page() const { return m_page; }
    // The kept printer settings.
    QPrinter& Printer() { return *m_printer; }

    // The printable area of the kept printer's paper in millimetres (A4 when it has none).
    QSizeF GetPaperSize() const;
    // The pens, brushes and fonts the items draw with, made on first need.
    const DrawingResources& Resources();

    // The borehole view's options changed: the fonts are taken again, the legends collect their
    // entries from the hatch list now current, and the page is drawn again.
    void OnDrawingChanged();

    // ---- Drawing
    // The page as the window shows it: the ground around the paper, the paper, the margin frame, the
    // selected item (beneath the others) with its frame, then the other items.
    void OnDraw(QPainter& painter);
    // One printed page: every item, offset by the margins, at the printer's own size; no selection.
    void OnPrint(QPainter& painter, QPrinter& printer);
    // Prints the page on the printer; false (with a message) when the printer cannot be started.
    bool PrintPage(QPrinter& printer);

    // ---- Commands of the bar, the context menu and the keys
    void OnAddSection();
    void OnAddLegend();
    void OnAddTitle();
    void OnPageSetup();
    void OnPrintSetup();
    void OnDelete();
    void OnUpdateDelete(QAction& action);
    void OnProperties();
    // "&Print...": the print dialog, then the page.
    void OnFilePrint();
    // The frame's commands while this view is in front: Del and Print here, Print Preview disabled
    // (a layout page is printed as it is shown); false for every other command.
    bool OnCommand(int id);
    bool OnUpdateCommand(int id, QAction& action);

    // ---- Mouse (client pixels)
    void OnLButtonDown(const QPoint& point);
    void OnMouseMove(const QPoint& point);
    void OnLButtonUp();
    void OnLButtonDblClk(const QPoint& point);
    // The context menu (223: "Properties", "Delete") at a screen point when an item is selected; the
    // menu opened, or null.
    QMenu* OnContextMenu(const QPoint& globalPoint);

    // Item-space point of a client pixel, and the pixels an item-space rectangle covers.
    QPointF ClientToItem(const QPoint& point) const;
    QRect ItemToClient(const QRectF& rect) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Places the item a dialog accepted, tells every item, repaints.
    void place(std::shared_ptr<LayoutItem> item);
    // An item was added, edited or deleted: every item is told, the legends collect their entries from
    // the sections now on the page, and the page is drawn again.
    void itemsChanged();
    // Each legend collects its entries from the sections on the page, with the hatch list now current.
    void collectLegends();
    // A graphics on an image of the window's resolution, for measuring and hit tests outside painting.
    void measure(const std::function<void(ORBAX_Platform::Graphics&)>& work);
    double dpiX() const;
    double dpiY() const;

    CQuorDoc* m_document;
    QPointer<CQuorView> m_view;
    QPointer<QMainWindow> m_frame; // the frame's window, which holds the bar
    QPointer<QToolBar> m_bar;
    LayoutPage m_page;
    std::unique_ptr<QPrinter> m_printer;
    std::shared_ptr<DrawingResources> m_resources;
};
