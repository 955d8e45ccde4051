#pragma once
// The welcome dialog shown at start-up while "ShowSplash" is set: links to the guide and the release
// notes, and a check box that keeps it coming back.
#include <QDialog>

class ApplicationServices;
class QCheckBox;

class CFirstTimeSplash : public QDialog {
    Q_OBJECT
public:
    explicit CFirstTimeSplash(QWidget* parent = nullptr);

    // The application whose guide and release notes the links open; without one they do nothing.
    void SetApplication(ApplicationServices* app) { m_app = app; }

    int DoModal();
    // The check box "&Show this screen at startup" as the dialog closed; it starts clear.
    bool ShowAtStartup() const;

private:
    QCheckBox* m_showAtStartup;
    ApplicationServices* m_app = nullptr;
};
