#include "docview/mouse/ModeCursors.h"

#include <map>

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "docview/mouse/rules/MouseModes.h"

// The cursor images are compiled into the library; a static library's resources are registered by hand.
static void initialiseCursorImages() { Q_INIT_RESOURCE(cursors); }

namespace ModeCursors {

namespace {

constexpr int kCursorSize = 32;

const char* imageOf(int resource)
{
    switch (resource) {
    case 136: return ":/cursors/delete_unit.svg";
    case 139: return ":/cursors/insert_unit.svg";
    case 140: return ":/cursors/set_rock.svg";
    case 141: return ":/cursors/create_boundary.svg";
    case 142: return ":/cursors/merge_units.svg";
    case 144: return ":/cursors/pick_and_drag.svg";
    case 145: return ":/cursors/correlate.svg";
    case 200: return ":/cursors/set_base_depth.svg";
    default: return nullptr;
    }
}

} // namespace

int CursorResource(MouseModes::Mode mode)
{
    using namespace MouseModes;
    switch (mode) {
    case SetBaseDepth: return 200;
    case SetRock: return 140;
    case Delete: return 136;
    case Insert: return 139;
    case Merge: return 142;
    case CreateBoundaries: return 141;
    case PickAndDrag:
    case Picked:
    case PickedDrag:
    case PickedDragShift: return 144;
    case Correlate:
    case CorrelatePick: return 145;
    default: return 0;
    }
}

QCursor ProgramCursor(int resource)
{
    static std::map<int, QCursor> made;
    const auto found = made.find(resource);
    if (found != made.end())
        return found->second;
    const char* image = imageOf(resource);
    if (!image)
        return QCursor(Qt::ArrowCursor);
    initialiseCursorImages();
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromLatin1(image));
    if (!renderer.isValid())
        return QCursor(Qt::ArrowCursor);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    // Every image points with the tip of its arrow, at its top-left corner.
    QCursor cursor(pixmap, 1, 1);
    made.emplace(resource, cursor);
    return cursor;
}

QCursor CursorFor(MouseModes::Mode mode, bool overBoundary)
{
    using namespace MouseModes;
    if (const int resource = CursorResource(mode))
        return ProgramCursor(resource);
    if (mode == DragBoundary || mode == DragBoundaryShift || (mode == Normal && overBoundary))
        return QCursor(Qt::SizeVerCursor);
    return QCursor(Qt::ArrowCursor);
}

} // namespace ModeCursors
