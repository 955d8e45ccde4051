#pragma once
// The main window's command table over a view of the shipped configuration and a document of sample
// boreholes, with every modal window, the clipboard and the beep replaced by recording services.
#include <memory>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/MainFrame.h"
#include "app/QuorApp.h"
#include "tests/docview/view/ViewTestSupport.h"

namespace CommandTest {

using ViewTest::TestUnit;

// Left: five units of the Coal schema, with samples S-001 to S-005 and seams on two of them. Right:
// two units.
class CommandFixture : public ViewTest::ViewFixture {
protected:
    CommandFixture()
    {
        app.m_tables = tables;
        for (const auto& [id, site] : app.m_tables.correlations)
            if (site.GetName() == L"North Field")
                app.m_tables.currentCorrelationSiteId = id;
        view->SetConfigurationTables(&app.m_tables);
        view->SetApplication(&app);
        document->SetApplication(&app);
        view->SetMainFrame(&frame);
        view->OnInitialUpdate();
        view->RegisterDocumentCommands(frame);
        view->RegisterViewCommands(frame);
        view->RegisterUnitCommands(frame);
        ViewTest::FillBorehole(Hole(0), L"North",
                               {{2, {{L"SANDSTONE", 100}}, L"S-001"},
                                {4, {{L"SHALE", 100}}, L"S-002"},
                                {5, {{L"COAL", 100}}, L"S-003", L"Upper", L"U1"},
                                {6, {{L"COAL", 100}}, L"S-004", L"upper", L"u1"},
                                {9, {{L"SILTSTONE", 100}}, L"S-005", L"Lower"}});
        ViewTest::FillBorehole(Hole(1), L"South", {{3, {{L"SHALE", 100}}, L"T-1"}, {7, {{L"COAL", 100}}, L"T-2"}});
        view->UpdateScrollRanges();
    }

    QAction* command(int id) const
    {
        QAction* action = frame.GetCommand(id);
        EXPECT_NE(action, nullptr) << id;
        return action;
    }
    bool enabled(int id)
    {
        frame.UpdateCommands();
        return command(id)->isEnabled();
    }
    bool checked(int id)
    {
        frame.UpdateCommands();
        return command(id)->isChecked();
    }
    // Runs a command as its menu entry, button or key would.
    void run(int id)
    {
        frame.UpdateCommands();
        command(id)->trigger();
    }
    QString pane(int id)
    {
        frame.UpdateCommands();
        return frame.StatusPane(id)->text();
    }
    // Selects units first to last of a pane, the last one being the selected unit.
    void selectUnits(int k, int first, int last)
    {
        view->Select(-1, -1, k, last);
        view->m_selection.clear();
        view->m_selection.add(first, last);
    }
    std::vector<std::wstring> samples(int k)
    {
        std::vector<std::wstring> texts;
        for (const auto& unit : Hole(k))
            texts.push_back(unit.sample.str());
        return texts;
    }

    CQuorApp app;
    CMainFrame frame{false};
};

} // namespace CommandTest
