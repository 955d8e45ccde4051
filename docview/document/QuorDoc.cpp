#include "docview/document/QuorDoc.h"

#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"

namespace {

// The configuration's first schema: the one new empty boreholes start with.
ORBAX_Logging::SchemaPtr firstSchema(ApplicationServices* app)
{
    if (!app || app->Tables().schemas.empty())
        return {};
    return ORBAX_Logging::findSchemaById(app->Tables().schemas, app->Tables().schemas.front()->id);
}

} // namespace

CQuorDoc::CQuorDoc(QObject* parent) : CQuorDoc(firstSchema(nullptr), parent) {}

CQuorDoc::CQuorDoc(ApplicationServices* app, QObject* parent) : CQuorDoc(firstSchema(app), parent) { m_app = app; }

CQuorDoc::CQuorDoc(ORBAX_Logging::SchemaPtr schema, QObject* parent) : QObject(parent), BoreholeDocument(schema) {}

CQuorDoc::~CQuorDoc() = default;

bool CQuorDoc::OnNewDocument()
{
    updateTitle();
    emit titleChanged(QString::fromStdWString(GetTitle()));
    return true;
}

QString CQuorDoc::WindowTitle(const std::wstring& documentTitle)
{
    // The window's own title is the first part of the document string.
    const QString program =
        QString::fromStdWString(ORBAX_Utilities::get_message_wide(128)).section(QLatin1Char('\n'), 0, 0);
    if (documentTitle.empty())
        return program;
    return QString::fromStdWString(documentTitle) + QStringLiteral(" - ") + program;
}

void CQuorDoc::OnPaneChanged(int k) { emit paneChanged(k); }

void CQuorDoc::OnTitleChanged() { emit titleChanged(QString::fromStdWString(GetTitle())); }

void CQuorDoc::fileOpenedOrSaved(int k, const std::wstring& path, const ORBAX_Platform::FileIdentity& state)
{
    setPathName(k, path);
    m_fileStates[k] = state;
    if (m_app)
        m_app->AddToRecentFileList(path);
    SetPaneModified(k, false);
    // Undoing what came before the file now makes the pane differ from it.
    markSaved(k);
    updateTitle();
    OnPaneChanged(k);
}

void CQuorDoc::showIfReportable(const ErrorEntries& entries)
{
    if (!hasReportableErrors(entries))
        return;
    CErrorList list(entries, m_promptParent);
    list.DoModal();
}
