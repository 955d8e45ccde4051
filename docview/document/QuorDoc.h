#pragma once
// The document of the main window: the two panes of BoreholeDocument, left (0) and right (1), with
// their files, and the signals through which the views and the main window follow its changes.
#include <QObject>
#include <QString>

#include "docview/document/BoreholeDocument.h"

class CQuorDoc : public QObject, public BoreholeDocument {
    Q_OBJECT
public:
    // Both boreholes empty, with the schema of the configuration's first schema (none without an
    // application or schemas).
    explicit CQuorDoc(QObject* parent = nullptr);
    // Both boreholes empty, with the given schema.
    explicit CQuorDoc(ORBAX_Logging::SchemaPtr schema, QObject* parent = nullptr);
    ~CQuorDoc() override;

    // The new document at start-up: the title from the two boreholes' names.
    bool OnNewDocument();

    // The document's own modified value, apart from the panes' flags; nothing consults it.
    bool IsModified() const { return m_documentModified; }
    void SetModifiedFlag(bool modified = true) { m_documentModified = modified; }
    // Pane k's unsaved changes (the same as IsPaneModified).
    bool IsModified(int k) const { return IsPaneModified(k); }

    // The main window's title for a document title: "<title> - QUOR_Log", or "QUOR_Log" alone.
    static QString WindowTitle(const std::wstring& documentTitle);

signals:
    // A pane's borehole was replaced or changed back; the views redraw.
    void paneChanged(int k);
    // The document title changed; the main window shows it.
    void titleChanged(const QString& title);

protected:
    void OnPaneChanged(int k) override;
    void OnTitleChanged() override;

private:
    bool m_documentModified = false;
};
