#pragma once
// The welcome dialog shown at start-up while "ShowSplash" is set: links to the guide and the release
// notes, and a check box that keeps it coming back.
#include <QDialog>

class QCheckBox;

class CFirstTimeSplash : public QDialog {
    Q_OBJECT
public:
    explicit CFirstTimeSplash(QWidget* parent = nullptr);

    int DoModal();
    // The check box "&Show this screen at startup" as the dialog closed; it starts clear.
    bool ShowAtStartup() const;

private:
    QCheckBox* m_showAtStartup;
};
