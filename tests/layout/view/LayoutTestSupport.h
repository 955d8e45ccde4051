#pragma once
// A main frame with its borehole view and document, as the program builds them, for the page-layout
// view's tests: Print Layout opens the layout in the frame's view stack.
#include <memory>

#include <QCoreApplication>
#include <QEvent>
#include <QStackedWidget>

#include "app/MainFrame.h"
#include "config/Quor_Log_Config.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "layout/view/QuorLayout.h"
#include "resources/CommandIds.h"
#include "tests/docview/view/ViewTestSupport.h"

namespace LayoutTest {

class FrameFixture : public ::testing::Test {
protected:
    FrameFixture()
    {
        ViewTest::LoadShippedConfiguration(tables);
        schema = ViewTest::SchemaNamed(tables, L"Coal");
        document = std::make_unique<CQuorDoc>(schema);
        frame = std::make_unique<CMainFrame>(true);
        view = new CQuorView(document.get(), frame->ViewStack());
        view->saveSettingsWanted = [] { return false; };
        view->SetConfigurationTables(&tables);
        view->SetMainFrame(frame.get());
        frame->ShowView(view);
        view->OnInitialUpdate();
        view->RegisterDocumentCommands(*frame);
        document->RegisterLayoutCommands(*frame, *view);
        frame->resize(1000, 800);
        frame->show();
        QCoreApplication::processEvents();
    }
    ~FrameFixture() override
    {
        frame.reset();
        Settle();
    }

    // The right borehole "east": sandstone, coal of seam "Main", sandstone.
    void FillRight()
    {
        ViewTest::FillBorehole(
            document->GetBorehole(1), L"east",
            {{2.0, {{L"SANDSTONE", 100}}}, {5.5, {{L"COAL", 100}}, L"", L"Main"}, {8.0, {{L"SANDSTONE", 100}}}});
    }

    // Runs a command of the frame as its menu item or key would.
    void Run(int id)
    {
        frame->UpdateCommands();
        QAction* action = frame->GetCommand(id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
    }
    CQuorLayout* OpenLayout()
    {
        Run(QuorCommand::ID_PRINT_LAYOUT);
        QCoreApplication::processEvents();
        return document->Layout();
    }
    // Deletions put off until the event loop runs.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    AppTest::Sandbox sandbox;
    ConfigurationTables tables;
    ORBAX_Logging::SchemaPtr schema;
    std::unique_ptr<CQuorDoc> document;
    std::unique_ptr<CMainFrame> frame;
    CQuorView* view = nullptr;
};

} // namespace LayoutTest
