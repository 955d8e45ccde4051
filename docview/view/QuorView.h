#pragma once
// The window of the main frame's central area, in which the two boreholes and their traces are drawn.
#include <QWidget>

#include "docview/document/UnitRangeList.h"
#include "layout/pagesetup/PageSetupSettings.h"

class CMainFrame;
class CQuorDoc;
class QAction;

class CQuorView : public QWidget {
    Q_OBJECT
public:
    explicit CQuorView(CQuorDoc* document, QWidget* parent = nullptr);
    CQuorDoc* GetDocument() const { return m_document; }

    // Page Setup: the page-setup sheet over a copy of the record; OK swaps the edited copy in.
    void OnPageSetup();

    // How the log is printed: kept for the view's life.
    PageSetupSettings& PageSetup() { return m_pageSetup; }
    const PageSetupSettings& PageSetup() const { return m_pageSetup; }

    // The pane a file command works on: the active pane; else the right one while a trace is
    // selected; else the one the user picks in the LoadBoreHole dialog; -1 when that is cancelled.
    int ChooseBorehole();

    // The file, export and undo commands, bound to the frame's menu items and toolbar buttons.
    void RegisterDocumentCommands(CMainFrame& frame);
    void OnNewBorehole();
    void OnOpenBorehole();
    void OnSaveBorehole();
    void OnSaveBoreholeAs();
    void OnExportLeft();
    void OnExportRight();
    void OnExportBoth();
    void OnEditUndo();
    void OnUpdateEditUndo(QAction& action);

    // ---- Selection state
    int m_activePane = -1;
    int m_selectedUnit = -1;
    int m_selectedTraceFile = -1;
    int m_selectedCurve = -1;
    UnitRangeList m_selection;

private:
    // Writes the text description of the left, the right or both boreholes to a file the user names.
    void exportBoreholes(bool left, bool right);

    CQuorDoc* m_document;
    PageSetupSettings m_pageSetup;
};
