#pragma once
// The window of the main frame's central area, in which the two boreholes and their traces are drawn.
#include <QWidget>

class CQuorDoc;

class CQuorView : public QWidget {
    Q_OBJECT
public:
    explicit CQuorView(CQuorDoc* document, QWidget* parent = nullptr);
    CQuorDoc* GetDocument() const { return m_document; }

private:
    CQuorDoc* m_document;
};
