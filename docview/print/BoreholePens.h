#pragma once
// The drawing resources of printed pages and of the page-layout view: the view's pens, brushes and
// fonts with every width and font size multiplied by `factor` (1.0 for both), and the regular tick
// font in the slot the screen gives its bold one. The new record replaces the one in `resources`.
#include <memory>

#include "docview/view/geometry/DrawingResources.h"

class CQuorView;

void CreateBoreholePens(const CQuorView& view, std::shared_ptr<DrawingResources>& resources, double factor);
