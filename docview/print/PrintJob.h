#pragma once
// What the view keeps while the log prints, from OnBeginPrinting to OnEndPrinting: the printer's
// drawing resources, the page list and the page-column geometry, the page setup as it was read, the
// texts every page shares and the logo image (read once for the whole job).
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <QFont>
#include <QImage>

#include "docview/print/pagination/LogPagination.h"
#include "docview/view/geometry/DrawingResources.h"
#include "printsetup/settings/PageSetupSettings.h"

struct PrintJob {
    std::shared_ptr<DrawingResources> resources;
    QFont titleFont;
    PageSetupSettings setup;
    LogPagination::Layout layout;
    double scale = 0.1;
    double lineHeight = 0;
    double tickLineHeight = 0;
    std::wstring date;
    QImage logo; // null when there is no logo or it could not be read
    // The widths of each borehole's unit labels (sample numbers, or seam and ply names) at the smallest
    // size: the widest (the labels' lines are drawn shorter where the room beside a column is short of
    // it), and the room the fields give them, in which every one prints, whole or, where it may be,
    // shortened to its first and last few characters.
    double widestLabel[2] = {0, 0};
    double labelRoomNeeded[2] = {0, 0};
    // The rows of range values under each trace plot: one a curve drawn there.
    int traceRows[3] = {0, 0, 0};
    // How high a legend below the log reaches on any page (no higher than the title block's top); the
    // fields left of the legend's right limit keep their texts above it. Infinite with no such legend.
    double legendTop = std::numeric_limits<double>::infinity();
    // The texts the log prints without, for want of room even at the smallest size (their names, for
    // the message that says so); empty when every text has room.
    std::vector<std::wstring> textsLeftOut;
};
