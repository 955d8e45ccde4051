#include "docview/view/QuorView.h"

#include "docview/document/QuorDoc.h"

CQuorView::CQuorView(CQuorDoc* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("QuorView"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
    connect(document, &CQuorDoc::paneChanged, this, [this](int) { update(); });
}
