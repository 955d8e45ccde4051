#pragma once
// The window of the main frame's central area, in which the two boreholes and their traces are drawn.
#include <QWidget>

#include "layout/pagesetup/PageSetupSettings.h"

class CQuorDoc;

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

private:
    CQuorDoc* m_document;
    PageSetupSettings m_pageSetup;
};
