#pragma once
// The document of the main window: two panes, the left (index 0) and the right (index 1) borehole,
// each with the file it came from and whether it has unsaved changes.
#include <array>
#include <string>

#include <QObject>

class CQuorDoc : public QObject {
    Q_OBJECT
public:
    static constexpr int Left = 0;
    static constexpr int Right = 1;
    static constexpr int PaneCount = 2;

    explicit CQuorDoc(QObject* parent = nullptr);

    // Empties both panes, as a new document.
    bool OnNewDocument();

    // Pane k (0 or 1): the file it was read from (empty for a new borehole) and its modified flag.
    const std::wstring& GetPathName(int k) const;
    bool IsModified(int k) const;
    bool IsModified() const { return IsModified(Left) || IsModified(Right); }

signals:
    // A pane's content changed; the views redraw.
    void paneChanged(int k);

private:
    struct Pane {
        std::wstring path;
        bool modified = false;
    };
    const Pane& pane(int k) const;

    std::array<Pane, PaneCount> m_panes;
};
