#pragma once
// The main view: the two boreholes of the document side by side, each pane with its own scroll
// position, and three trace columns to their right that follow the right pane's depth. It keeps the
// display settings ("View" in the profile), the scale, the selection of units or of one trace, the
// loaded trace files and the drawing resources; lays out and draws everything in millimetres; and
// loads LAS files on worker threads.
//
// Drawing goes through OnDraw, apart from the paint event, so that one routine draws the window, an
// image, an SVG picture and a printed page.
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QPen>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include "config/traces/LasProperty.h"
#include "docview/commands/rules/ViewCommandRules.h"
#include "docview/document/history/UnitRangeList.h"
#include "docview/mouse/rules/MouseModes.h"
#include "docview/mouse/rules/TracePick.h"
#include "docview/mouse/rules/UnitHitTest.h"
#include "docview/mouse/rules/WheelAccumulator.h"
#include "docview/view/geometry/DrawingResources.h"
#include "docview/view/geometry/ViewGeometry.h"
#include "docview/view/geometry/ViewSettings.h"
#include "printsetup/settings/PageSetupSettings.h"
#include "widgets/text/FontDescription.h"

class ApplicationServices;
class CommandFrame;
class CQuorDoc;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QScrollBar;
class QStyle;
class QSvgGenerator;
struct ConfigurationTables;
struct LabelRoom;
struct RulerReach;
struct TraceLoadJob;
struct PrintJob;
struct PageTextFields;
struct TraceLabelRow;

namespace ORBAX_Platform {
class Graphics;
}

using TraceList = std::vector<std::unique_ptr<LasProperty>>;

class CQuorView : public QWidget {
    Q_OBJECT
public:
    explicit CQuorView(CQuorDoc* document, QWidget* parent = nullptr);
    ~CQuorView() override;
    CQuorView(const CQuorView&) = delete;
    CQuorView& operator=(const CQuorView&) = delete;

    CQuorDoc* GetDocument() const { return m_document; }
    // The application whose configuration, settings and current hatch list and site the view and its
    // commands use; the application hands itself in right after making the view. Its tables become
    // the view's configuration unless the view was given one before.
    ApplicationServices* GetApplication() const { return m_app; }
    void SetApplication(ApplicationServices* app);
    // The configuration whose hatch list draws the units and whose trace definitions dress new traces;
    // the application's by default.
    ConfigurationTables* GetConfigurationTables() const { return m_tables; }
    void SetConfigurationTables(ConfigurationTables* tables) { m_tables = tables; }
    // The frame whose status bar shows trace loads and the insert mode; the view's window by default.
    CommandFrame* GetMainFrame() const;
    void SetMainFrame(CommandFrame* frame);

    // ---- Lifecycle
    // Once the frame's menus exist: the "Set Trace Colour" popup goes into the View menu (only once).
    void OnInitialUpdate();
    // Writes the "View" values (and the fonts) to the profile. Called when the view goes, while the
    // application's "SaveSettings" is on.
    void SaveSettings() const;
    // Whether the settings are written when the view goes; the application's "SaveSettings" by default.
    std::function<bool()> saveSettingsWanted;

    // ---- Depths, positions and scale
    double PixelsPerMmX() const { return m_pixelsPerMmX; }
    double PixelsPerMmY() const { return m_pixelsPerMmY; }
    QPointF DeviceToPage(const QPointF& point) const;
    QPointF PageToDevice(const QPointF& point) const;
    QRectF DeviceToPage(const QRectF& rect) const;
    QRectF PageToDevice(const QRectF& rect) const;
    // A page rectangle in whole device pixels (each edge rounded), as invalidated and scrolled.
    QRect PageRectToDevice(const QRectF& rect) const;
    void InvalidatePageRect(const QRectF& rect);

    QScrollBar* PaneScrollBar(int pane) const;
    // The pane's scroll position in millimetres.
    double GetPaneScrollPosition(int pane) const;
    // The depth shown at the top of the pane's column.
    double GetPaneTopDepth(int pane) const;
    double DeviceYToDepth(int pane, double y) const;
    void SetPaneTopDepth(int pane, double depth);
    double SnapDepth(double depth) const;
    int DepthToDevice(double depth) const;
    double GetScale() const { return m_settings.scale; }
    // Changes the scale keeping both panes' top depths; a scale of 0 or below is refused (false).
    bool SetScale(double scale);
    // Changes the scale keeping the depths under the point (client pixels) where they are.
    bool SetScaleAtPoint(const QPoint& point, double scale);

    // ---- Selection
    // Selects a trace (file and curve) or a unit of a pane; -1 clears. A unit selection and a trace
    // selection exclude each other.
    void Select(int traceFile, int curve, int pane, int unit);
    void AddUnitToSelection(int pane, int unit);
    void InvalidateSelection();
    void ExtendSelection(int pane, const UnitRangeList& selection);
    void InvalidateUnitsTo(int pane, int unit);
    // Scrolls the unit into the pane's column, then selects it alone.
    void SelectAndShowUnit(int pane, int unit);
    // Repaints the strips around a boundary being dragged from `oldY` to `newY` (device pixels).
    void InvalidateBoundaryMove(int extra, int columnLeft, int columnRight, int textLeft, int textRight, int oldY,
                                int newY);
    // The units of a pane's borehole that an edit made thinner or thicker repaint whole when their
    // pattern is not a plain tiling one.
    bool UnitNeedsRepaintOnResize(int pane, int unit) const;
    // The first selected unit of the pane whose sample number has a pattern (prefix, number, suffix).
    bool FindSampleNumberPattern(int pane, std::wstring& prefix, std::wstring& suffix, std::int32_t& firstNumber,
                                 std::int32_t& width) const;
    // The Alt-press of mode 0: a boundary at the depth in unit `unit` (-1: below the last unit).
    void CreateBoundaryAt(double depth, int unit, int pane);

    // ---- Scrolling
    void UpdateScrollRanges();
    // Scroll-bar requests, from the bars and from the keyboard commands.
    enum ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbTrack, EndScroll };
    void OnVScroll(int pane, ScrollRequest request, int trackPosition = 0);
    // Line steps up (negative) or down, as that many line requests, in one move of the pane.
    void ScrollLines(int pane, int lines);
    // Moves the drawing of the pane (and, for the right pane, the trace plots) by dy pixels.
    void ScrollPane(int pane, int dy);
    // The auto-scroll tick while a band selection has left the column (timer 1, every 500 ms).
    void OnTimer();
    void StartAutoScroll();
    void StopAutoScroll();

    // ---- Cursor, errors
    void UpdateCursorForMode(const QPoint& point);
    void UpdateCursorAtMessagePos();
    // Shows an internal error (message 1022 with the source file and line) in the error list.
    void ShowInternalError(const char* sourceFile, int line, const std::wstring& text = std::wstring());
    // The status pane that shows "INS" or "OVR".
    void OnUpdateIndicatorOvr();

    // ---- Layout and drawing resources
    void CreateDrawingResources();
    // Lays the client area out; the measurements are taken in the view's fonts on its own device.
    void ComputeLayout();
    const ViewGeometry::ViewLayout& Layout() const { return m_layout; }

    // ---- Drawing (millimetre page units on any device)
    // Paints everything that meets `clip` (page millimetres). `forScreen` adds what only the window
    // shows: the hover line, the selection band and the cursor depth.
    void OnDraw(QPainter& painter, const QRectF& clip, bool forScreen = false);
    // Draws one borehole in its column and pane. Printing gives its depth numbers a reach beyond the
    // field and draws the unit labels itself, once every field of the page is drawn (`drawLabels`).
    // A page-column (`pageColumnDepth`, the depth it prints) draws the end of the hole only where it
    // falls on it: below its top, down to its foot, or at the log's top.
    void DrawBorehole(const QRectF& clipBounds, const QRectF& column, const QRectF& paneRect, double lineHeight,
                      bool isActive, double topDepth, double scale, double tickOrigin, int tickIndent,
                      const DrawingResources& resources, const UnitRangeList& selection, bool showSampleNumbers,
                      bool drawName, bool forPicture, const ORBAX_Logging::Borehole& borehole,
                      ORBAX_Platform::Graphics& graphics, const RulerReach* reach = nullptr, bool drawLabels = true,
                      double pageColumnDepth = 0) const;
    // The unit labels beside a column, placed (not drawn) with the label heights of the fonts.
    std::vector<ViewGeometry::UnitLabel> DrawUnitLabels(const ORBAX_Logging::Borehole& borehole, const QRectF& column,
                                                        bool showSampleNumbers, const QFont& regularFont,
                                                        double topDepth, double scale, const QFont& italicFont,
                                                        double smallestPoints) const;
    // The texts stay whole left of `textRight` (the pane's or field's right edge), or on paper within
    // the `room` beyond it.
    void DrawLabels(ORBAX_Platform::Graphics& graphics, const QRectF& column,
                    const std::vector<ViewGeometry::UnitLabel>& labels, const DrawingResources& resources,
                    bool isActive, const UnitRangeList& selection, double textRight,
                    const LabelRoom* room = nullptr) const;
    void DrawFooters(ORBAX_Platform::Graphics& graphics, const QPoint* cursor) const;
    void DrawCursorDepth(ORBAX_Platform::Graphics& graphics, const QPoint* cursor) const;
    void InvalidateCursorDepth();
    // The box right of "Depth: " in a pane's footer.
    QRectF CursorDepthBox(int pane) const;

    // Trace columns, ticks and frames: they need nothing of the view, so printing and the page-layout
    // view use them with their own resources.
    // Labels stand at least their height apart, and stay whole right of `labelLeft` (the field's left
    // edge): set smaller where the field is narrow (on paper down to `smallestPoints`, standing on their
    // ticks, then over the `reach`), left out where even that does not fit.
    static void DrawDepthTicks(ORBAX_Platform::Graphics& graphics, double x, double top, double bottom, double y0,
                               double tickLength, const QPointF& labelOffset, const QBrush& labelBrush,
                               const QPen& gridPen, double gridLength, double topDepth, double depthOrigin,
                               double scale, const QPen& tickPen, const QFont& labelFont, double labelLeft,
                               double smallestPoints = 0, const RulerReach* reach = nullptr);
    static void FrameColumn(const QRectF& rect, ORBAX_Platform::Graphics& graphics, bool fine);
    static void DrawTraceColumn(ORBAX_Platform::Graphics& graphics, const QRectF& plotRect, const QRectF& columnRect,
                                double scale, int column, int selectedFile, int selectedCurve, int traceRangePrecision,
                                double lineHeight, double topDepth, double tickLength, const QPointF& labelOffset,
                                const DrawingResources& resources, const QPen& gridPen, QPen curvePen,
                                const QPen& dividerPen, bool fine, const TraceList& traces,
                                const std::uint32_t* colourTable, const RulerReach* numbersReach = nullptr);
    // The left edge the first row of range labels under a trace plot keeps clear of: on the screen the
    // right edge of a depth label that reaches below the plot's bottom, else the column's left edge.
    static double TraceValuesLeft(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                  double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                  const QFont& tickFont, double smallestPoints = 0, const RulerReach* reach = nullptr);
    // On paper (`smallestPoints` given), how far the rows of range labels move down to stand below the
    // ruler's last depth number, which stays on its tick as far as the reach's `below` lets it.
    static double TraceRowsDrop(const QPaintDevice* device, const QRectF& plotRect, const QRectF& columnRect,
                                double topDepth, double scale, double tickLength, const QPointF& labelOffset,
                                const QFont& tickFont, double smallestPoints, const RulerReach* reach);
    // The range labels under a trace plot, as LayOutTraceLabels places them.
    static TraceLabelRow PlacedTraceLabels(const QPaintDevice* device, const QFont& font, const QRectF& plot,
                                           const QRectF& field, double lower, double upper, int decimals,
                                           const QString& mnemonic, double rowLeft, double smallestPoints = 0);
    // Each run of the polylines as one line.
    static void DrawCurvePolyline(ORBAX_Platform::Graphics& graphics, const QPen& pen, const CurvePolylines& polylines);
    // Text at a point: the alignment places the point (left, centre or right; top, centre or bottom).
    static void DrawTextAt(ORBAX_Platform::Graphics& graphics, const QPointF& point, const QString& text,
                           const QFont& font, const QBrush& brush, int alignment);
    // A text's width and height (the font's line spacing) in millimetres on the view's device.
    QSizeF MeasureText(const QString& text, const QFont& font) const;

    // Unit geometry in the panes.
    QRectF UnitRectOfPane(int pane, int unit) const;
    QRect UnitDeviceRect(int pane, int unit) const;
    void InvalidatePaneColumn(int pane);
    void InvalidatePickedBoundary(int unit, int pane);
    void DrawPickedBoundary(int pane, int unit, ORBAX_Platform::Graphics& graphics) const;
    // The hover line and the range lines across the right pane and the trace columns (device y).
    void SetHoverRow(int row);
    int HoverRow() const { return m_hoverRow; }

    // Pictures for the clipboard: SVG, with a PNG of the same drawing.
    struct Picture {
        QByteArray svg;
        QImage image;
    };
    Picture RecordViewPicture() const;
    Picture RecordSelectionPicture(const UnitRangeList& selection) const;

    // ---- Traces
    const TraceList& Traces() const { return m_traces; }
    // Starts reading a LAS file on a worker thread of its own.
    void StartTraceLoad(const std::wstring& fileName);
    // Takes a read file into the trace list; returns its index.
    int AttachTrace(std::unique_ptr<LasProperty> traceFile);
    void SetTracesFiltered(LasProperty& traceFile, bool filtered);
    void SetCurveShift(double shift, int traceFile, int curve);
    void CloseAllTraces();
    // Gives every curve of the three columns its column's plot width and the view's scale.
    void RefitTraceCurves();
    // Loads started by this view and not yet finished.
    int PendingLoads() const { return m_pendingLoads; }
    // Waits for every running load and handles its completion (tests and shutdown).
    void WaitForTraceLoads();

    // ---- State (read and changed by the commands, the mouse modes and printing)
    ViewSettings m_settings;
    int m_contextSide = -1;
    int m_activePane = -1;
    int m_selectedUnit = -1;
    int m_selectedTraceFile = -1;
    int m_selectedCurve = -1;
    UnitRangeList m_selection;
    UnitRangeList m_savedSelection;
    MouseModes::Mode m_editMode = MouseModes::Normal;
    bool m_leaveTracking = false;
    int m_dragUnit = -1;
    int m_dragPane = -1;
    int m_dragOffset = 0;
    bool m_bandShown = false;
    bool m_autoScroll = false;
    QPoint m_bandStart;
    QPoint m_bandEnd;
    // Where the button went down (client pixels), for the auto-scroll's test of the drag's side.
    QPoint m_buttonDownPoint;

    // The fonts of titles, general text and depths ("TitleFont", "GeneralFont" and "TickFont").
    FontDescription m_titleFontDescription{L"Arial", false, false, 12.0f};
    FontDescription m_generalFontDescription{L"Arial", false, false, 10.0f};
    FontDescription m_tickFontDescription{L"Arial", false, false, 8.0f};

    std::uint32_t m_selectionColour = DrawingResources::SelectionColour;
    std::uint32_t m_backgroundColour = 0xFFFFFFFFu;
    std::uint32_t m_traceColours[16];
    QColor m_hoverColour{0, 0, 255};
    int m_hoverWidth = 2;
    int m_selectionPenPixels = 0;
    std::wstring m_unnamedText;

    // The view's own pens and brushes beside the shared record.
    QFont m_titleFont;
    QPen m_lightGreyPen;
    QPen m_redPen;
    QBrush m_redBrush;
    QPen m_blackPen;
    QBrush m_backgroundBrush;
    QPen m_blackHairlinePen;

signals:
    // The selection or the trace list changed: command states may follow.
    void selectionChanged();
    // What the log is drawn with changed (the options: the hatch list, its patterns, the fonts): what
    // draws with the view's configuration draws again.
    void drawingChanged();

public:
    // ---- Mouse edit modes: the window's mouse messages at client points, as the event handlers pass
    // them on. Each handles the message for the edit mode in force; none lets an exception out.
    void OnLButtonDown(const QPoint& point, Qt::KeyboardModifiers keys);
    void OnMouseMove(const QPoint& point, Qt::KeyboardModifiers keys);
    void OnLButtonUp(const QPoint& point, Qt::KeyboardModifiers keys);
    void OnLButtonDblClk(const QPoint& point, Qt::KeyboardModifiers keys);
    void OnRButtonDown(const QPoint& point, Qt::KeyboardModifiers keys);
    // A wheel rotation (120 a notch, positive away from the user) with the pointer at a client point.
    void OnMouseWheel(const QPoint& point, int delta, Qt::KeyboardModifiers keys);
    void OnMouseLeave();
    // The window lost the pointer while a button was held (another window took it): a drag ends where
    // it stands, as if the button had been let go there.
    void OnCaptureLost();
    // Moves the base of a unit (and of the units of no thickness that share it) to the depth, in whole
    // steps of 1/Tolerance and keeping the minimum thickness; `shifting` moves the units below with it.
    // One undoable step; false when nothing moved. Throws "Unit out of range" for a bad unit.
    bool MoveUnitBase(int pane, int unit, double depth, bool shifting);

    // The bits of what lies at a client point (HitBits): side, borehole column or title, trace column
    // and trace labels; on a trace's label also that trace.
    int HitTest(const QPoint& clientPoint, int* traceFile = nullptr, int* curve = nullptr) const;
    // The unit of a pane's column under a client point, and the boundary it is near.
    UnitHitTest::UnitHit UnitHitAt(int pane, const QPoint& clientPoint) const;
    // The traces whose lines pass near a client point of the trace columns.
    std::vector<TracePick::TraceRef> PickTracesAt(const QPoint& clientPoint) const;
    // The rock types of the unit under the pointer, joined with " | " (status pane 110).
    const std::wstring& LithologyText() const { return m_lithologyText; }

    WheelAccumulator m_wheel;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public:
    // ---- Handlers, public so that the commands and tests can run them as the window would
    void OnSize();
    void OnContextMenu(const QPoint& clientPoint, bool fromKeyboard);
    // Files dropped at a client point: boreholes left of the trace columns, traces on them.
    void OnDropFiles(const std::vector<std::wstring>& files, const QPoint& clientPoint);
    // The menu the context menu would show at the point: 175 over a unit, 176 over a trace, 177
    // elsewhere.
    int ContextMenuAt(const QPoint& clientPoint, bool fromKeyboard, QPoint* menuPoint = nullptr);
    // The completion of a load on the window thread.
    void OnTraceLoaded(std::shared_ptr<TraceLoadJob> job, int lParam);

    // Which side, column or trace a client point lies on (bits as the mouse modes use them): 0x1000
    // left side, 0x2000 right side, 0x4000 a borehole column, 0x8000 + k trace column k.
    enum HitBits { HitLeft = 0x1000, HitRight = 0x2000, HitColumn = 0x4000, HitLabel = 0x100, HitTrace = 0x8000 };
    int HitTestSide(const QPoint& clientPoint) const;
    // The unit of a pane's column under a client point; -1 when none.
    int UnitAtPoint(int pane, const QPoint& clientPoint) const;

    // Page Setup: the page-setup sheet over a copy of the record; OK swaps the edited copy in.
    void OnPageSetup();

    // The pane a file command works on: the active pane; else the right one while a trace is
    // selected; else the one the user picks in the LoadBoreHole dialog; -1 when that is cancelled.
    int ChooseBorehole();

    // The file, export and undo commands, bound to the frame's menu items and toolbar buttons.
    void RegisterDocumentCommands(CommandFrame& frame);
    void OnNewBorehole();
    void OnOpenBorehole();
    // A file of the recent-file list, opened into the pane Open Borehole would use; a file that is
    // gone is reported and dropped from the list.
    void OnOpenRecentFile(const std::wstring& path);
    void OnSaveBorehole();
    void OnSaveBoreholeAs();
    void OnExportLeft();
    void OnExportRight();
    void OnExportBoth();
    void OnEditUndo();
    void OnUpdateEditUndo(QAction& action);
    // Options: the options sheet over copies of the view's and the application's settings; after OK
    // they are copied back, the configuration file is written when the editors changed it and
    // settings are remembered, and the view is laid out and drawn again.
    void OnOptions();

    // How the log is printed: kept for the view's life.
    PageSetupSettings& PageSetup() { return m_pageSetup; }
    const PageSetupSettings& PageSetup() const { return m_pageSetup; }

    // ---- Commands of the display, traces, scale, scrolling, focus and edit modes
    // (docview/commands/QuorView_ViewCommands.cpp) and of the selected units and the clipboard
    // (docview/commands/QuorView_UnitCommands.cpp), bound to the frame's menus, toolbar and keys.
    void RegisterViewCommands(CommandFrame& frame);
    void RegisterUnitCommands(CommandFrame& frame);
    void OnOpenTrace();
    void OnTraceManager();
    void OnCloseAllTraces();
    void OnUpdateCloseAllTraces(QAction& action);
    void OnInsertMode();
    void OnScale();
    void OnSampleNumbers();
    void OnRuler();
    void OnFineScroll();
    void OnLinkScrollbars();
    void OnSetDisplayTopDepth();
    void OnFilterTraces();
    void OnTraceColumn(int column);
    void OnUpdateTraceColumn(QAction& action, int column);
    void OnTraceColour(int colour);
    void OnUpdateTraceColour(QAction& action, int colour);
    void OnShiftTrace();
    void OnAverageTrace();
    void OnUpdateTraceCommand(QAction& action);
    void SetEditMode(MouseModes::Mode mode);
    void OnModeNormal();
    void OnPageDown();
    void OnPageUp();
    void OnLineDown();
    void OnLineUp();
    void OnMoveFocusRight();
    void OnMoveFocusLeft();
    void OnZoomIn();
    void OnZoomOut();
    void OnNextUnit();
    void OnUpdateNextUnit(QAction& action);
    void OnPreviousUnit();
    void OnUpdatePreviousUnit(QAction& action);
    void OnRedraw();
    void OnCancelOperation();
    void OnScrollToTop();
    void OnScrollToBottom();
    // Status panes 109 (edit mode), 110 (the unit under the mouse) and 111 (scale).
    void OnUpdateToolPane(QLabel& pane);
    void OnUpdateLithologyPane(QLabel& pane);
    void OnUpdateScalePane(QLabel& pane);

    void OnDeleteUnit();
    void OnMergeUp();
    void OnUpdateMergeUp(QAction& action);
    void OnUnitProperties();
    void OnUpdateUnitCommand(QAction& action);
    void OnSetRockType();
    void OnEnterKey();
    void OnCorrelateUnit();
    void OnUpdateCorrelateUnit(QAction& action);
    void OnSampleNumber();
    void OnUpdateSampleNumber(QAction& action);
    void OnRelabelSampleNumbers();
    void OnUpdateRelabelSampleNumbers(QAction& action);
    void OnEditCopy();
    void OnUpdateEditCopy(QAction& action);
    void OnEditPaste();
    void OnUpdateEditPaste(QAction& action);
    void OnEditPasteSpecial();
    void OnUpdateEditPasteSpecial(QAction& action);
    // Moves the selection one unit down: false when it did not move (with no unit selected, unit 0
    // is selected and the answer is false).
    bool SelectNextUnit();
    // The visible curves with a drawn colour, column 1 first, then 2 and 3, each in file and curve
    // order: the order in which the focus moves over the traces.
    std::vector<ViewCommandRules::CurveRef> TraceFocusOrder() const;

    // The text of the unit under the mouse (status pane 110), kept by the mouse modes.
    std::wstring m_lithologyText;

    // ---- Printing (docview/print)
    // File > Print, Print Preview, Print Setup and Print Sample Labels on the frame's commands.
    void RegisterPrintCommands(CommandFrame& frame);
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnPrintSampleLabels();
    void OnUpdatePrintSampleLabels(QAction& action);
    // The printer the print commands share, so that what Print Setup chose is what they print on.
    QPrinter& Printer();
    // Cuts the log into pages for the printer's paper and keeps them with the printer's drawing
    // resources until OnEndPrinting. False when the log cannot be printed as set up, or there is
    // nothing to print; the user is told why unless `quiet`.
    bool OnBeginPrinting(QPrinter& printer, bool quiet = false);
    // The pages OnBeginPrinting made (0 before it), and the whole job (null outside a print).
    int PrintPageCount() const;
    const PrintJob* CurrentPrintJob() const { return m_printJob.get(); }
    // Draws page `page` (counted from 1) with a painter open on the printer.
    void OnPrint(QPainter& painter, int page);
    void OnEndPrinting();
    // The whole print: pages made, then drawn one at a time, those of the printer's page range only
    // when it has one. False when nothing was printed (the user told why unless `quiet`).
    bool PrintLog(QPrinter& printer, bool quiet = false);
    // One borehole field of one page-column: the field and body of the page-column's geometry moved
    // right by `offset` (millimetres from the printable area's left edge), from the depth the
    // page-column starts at.
    void PrintBoreholeColumn(ORBAX_Platform::Graphics& graphics, const QRectF& content, double offset, int pane,
                             const DrawingResources& resources, bool showSampleNumbers, bool bothBoreholes,
                             double pageTopDepth, int column, double depthPerColumn, double scale) const;
    // The codes' values of a printed page's title texts.
    PageTextFields PageFields(const PrintJob& job, int page) const;
    // The texts of a pane's unit labels (sample numbers, or seam and ply names) that the job prints
    // nowhere, for want of room near their units or beside their column (fitted as on `device`): in the
    // order of the hole, each once.
    std::vector<std::wstring> LabelsLeftOut(const PrintJob& job, int pane, bool sampleNumbers,
                                            const QPaintDevice& device) const;
    // The sample labels of a pane's borehole (0 left, 1 right), after the print dialog.
    void PrintSampleLabels(int pane);
    // The same on a printer already chosen; false when nothing was printed (the user told why).
    bool PrintSampleLabels(QPrinter& printer, int pane);

private:
    // Writes the text description of the left, the right or both boreholes to a file the user names.
    void exportBoreholes(bool left, bool right);

    // The mouse modes' parts (docview/mouse).
    // The pane whose area holds a press with the hit-test result `hit`: 0 or 1, -1 for the trace
    // columns and the gap between the panes.
    int pressedPane(const QPoint& point, int hit) const;
    void pressNormal(const QPoint& point, int hit, int traceFile, int curve, Qt::KeyboardModifiers keys);
    // Picks the unit under a press for the release's action; `pane` is the pane pressed.
    void pressPickUnit(const QPoint& point, int hit, int pane);
    void pressInsert(const QPoint& point, int hit, Qt::KeyboardModifiers keys);
    void pressPickAndDrag(const QPoint& point, int hit, Qt::KeyboardModifiers keys);
    void pressCorrelate(const QPoint& point, int hit);
    void selectTraceAt(const QPoint& point, int hit, int traceFile, int curve);
    void releaseAction(MouseModes::Mode mode);
    void moveSplit(const QPoint& point);
    void selectByBand(const QPoint& point);
    void updateHoverLine(const QPoint& point);
    void updateLithology(const QPoint& point, int hit);
    void setBand(bool shown, const QPoint& end);
    void openDragStep(int pane, int descriptionId);
    void finishDragStep();
    void abandonLostDrag();
    int unitBottomRow(int pane, int unit) const;
    QRectF titleBox(int pane) const;
    bool onTraceLabel(const QPointF& pagePoint, int column, int& traceFile, int& curve) const;

    void createScrollBars();
    void onScrollAction(int pane, int action);
    void scrollPaneTo(int pane, int position);
    void moveLeftLinked(int dy);
    // Puts a pane at a scroll position without drawing; its bar's range reaches from its own range
    // to the position.
    void setPanePosition(int pane, int position);
    // Puts both panes at positions, kept within their ranges as scrolling keeps them.
    void placePanes(int left, int right);
    void placePanesAt(double leftDepth, double rightDepth);
    bool depthToPosition(double depth, int& position) const;
    void computeScrollRanges();
    void invalidateFooters();
    void invalidateUnit(int pane, int unit, int margin, bool erase);
    void invalidateHeader(int pane);
    void setStatusText(int id, const QString& text);
    void updateLoadStatus();
    QMenu* buildContextMenu(int id);
    const ORBAX_Logging::Borehole* borehole(int pane) const;
    int unitCount(int pane) const;
    void drawHoverLine(QPainter& painter, int row) const;
    Picture recordPicture(const QRectF& frame, const std::function<void(ORBAX_Platform::Graphics&)>& draw) const;

    CQuorDoc* m_document;
    PageSetupSettings m_pageSetup;
    ApplicationServices* m_app = nullptr;
    ConfigurationTables* m_tables = nullptr;
    QPointer<QWidget> m_frame; // the CommandFrame's window
    // The frame's update of its commands on every change of the selection.
    QMetaObject::Connection m_selectionUpdates;
    std::unique_ptr<QStyle> m_scrollBarStyle; // the bars' style; the destructor deletes the bars first
    QScrollBar* m_leftScrollBar = nullptr;
    QScrollBar* m_rightScrollBar = nullptr;
    int m_scrollPosition[2] = {0, 0};
    int m_scrollLast = 0; // the last position of either pane's own range
    bool m_scrolling = false;
    double m_pixelsPerMmX = 96 / 25.4;
    double m_pixelsPerMmY = 96 / 25.4;
    ViewGeometry::ViewLayout m_layout;
    std::shared_ptr<DrawingResources> m_screenResources;
    struct MeasuredText {
        QString text;
        QFont font;
        QSizeF size;
    };
    mutable std::vector<MeasuredText> m_measuredTexts;
    int m_hoverRow = -1;
    int m_cursorLook = -1; // the mode and boundary flag the cursor was last set for
    QTimer m_autoScrollTimer;
    bool m_colourMenuInserted = false;
    QMenu* m_traceColourMenu = nullptr;

    // Trace loading.
    TraceList m_traces;
    int m_pendingLoads = 0;
    bool m_hasStatusMessage = false;
    std::list<QString>::iterator m_statusMessage;
    struct Worker {
        TraceLoadJob* job;
        std::thread thread;
    };
    std::vector<Worker> m_workers;
    std::thread::id m_lastWorker;

    // Printing: the printer the commands share, and the job between OnBeginPrinting and OnEndPrinting.
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PrintJob> m_printJob;
};

// The Copy command's work: the selection's picture (the view's when nothing is selected) on the
// clipboard as SVG and as an image.
void CopySelection(const UnitRangeList& selection, CQuorView& view, int pane);

// One trace's settings from the trace manager into its curve; a file's curves take the settings
// pairwise, as far as both go.
void ApplyTraceSettings(CurveProperty& curve, const TraceSettings& setting);
void ApplyTraceSettingsToFile(LasProperty& traceFile, const std::vector<TraceSettings>& settings);
