// Switching the main frame between the borehole view and the page-layout view: the document's
// layout commands live with the view they make, above the document.
#include <QAction>
#include <QMainWindow>
#include <QStackedWidget>
#include <QToolBar>

#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "layout/view/QuorLayout.h"
#include "resources/CommandIds.h"

namespace {

CommandFrame* commandFrame(QMainWindow* window) { return dynamic_cast<CommandFrame*>(window); }

} // namespace

void CQuorDoc::RegisterLayoutCommands(CommandFrame& frame, CQuorView& view)
{
    m_frame = frame.Window();
    m_boreholeView = &view;
    frame.SetCommandHandler(
        QuorCommand::ID_PRINT_LAYOUT, [this] { OnPrintLayout(); },
        [this](QAction& action) { OnUpdatePrintLayout(action); });
}

CQuorLayout* CQuorDoc::Layout() const { return m_layout; }

void CQuorDoc::OnUpdatePrintLayout(QAction& action) const { action.setEnabled(pendingTraceLoads == 0); }

void CQuorDoc::OnPrintLayout()
{
    CommandFrame* frame = commandFrame(m_frame);
    if (!frame || !m_boreholeView)
        return;
    if (pendingTraceLoads != 0)
        return;
    // One page-layout view at a time: asked again, the one there is shown.
    if (!m_layout) {
        auto* layout = new CQuorLayout(this, m_boreholeView, frame, frame->ViewStack());
        layout->OnCreate();
        m_layout = layout;
        // The borehole view repaints the page when its traces or the boreholes change.
        connect(m_boreholeView, &CQuorView::selectionChanged, layout, qOverload<>(&QWidget::update));
        connect(this, &CQuorDoc::paneChanged, layout, qOverload<>(&QWidget::update));
        connect(m_boreholeView, &CQuorView::drawingChanged, layout, &CQuorLayout::OnDrawingChanged);
        QPointer<CQuorLayout> route = layout;
        frame->SetCommandRoute(
            [route](int id) { return route && route->OnCommand(id); },
            [route](int id, QAction& action) { return route && route->OnUpdateCommand(id, action); });
    }
    frame->ShowView(m_layout);
    m_layout->setFocus(Qt::OtherFocusReason);
}

void CQuorDoc::OnCloseLayout()
{
    if (!m_layout)
        return;
    CQuorLayout* layout = m_layout;
    m_layout.clear();
    if (CommandFrame* frame = commandFrame(m_frame)) {
        frame->SetCommandRoute({}, {});
        if (m_boreholeView)
            frame->ShowView(m_boreholeView);
        frame->ViewStack()->removeWidget(layout);
    }
    layout->hide();
    if (QToolBar* bar = layout->Bar()) {
        if (m_frame) {
            m_frame->removeToolBarBreak(bar);
            m_frame->removeToolBar(bar);
        }
        bar->hide();
    }
    // Close runs from a button of the layout's own bar: both go once that button has finished.
    layout->deleteLater();
    if (m_boreholeView) {
        m_boreholeView->OnInitialUpdate();
        m_boreholeView->setFocus(Qt::OtherFocusReason);
    }
}
