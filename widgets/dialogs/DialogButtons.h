#pragma once
// The button row under a dialog, as its template placed it: OK (control 1, the default button)
// accepting the dialog, Cancel (control 2) rejecting it and, where the dialog has one, Help (control
// 57670), in that order at the right. Each dialog keeps its template's texts.
#include <functional>

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

struct DialogButtonRow {
    QHBoxLayout* layout = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* help = nullptr; // none without a Help text
};

// The Help button is made when `helpText` is given; pressing it calls `onHelp`. F1 is the dialog's
// own (a DdxDialog opens its topic by itself).
DialogButtonRow OkCancelButtons(QDialog* dialog, const QString& okText = QStringLiteral("OK"),
                                const QString& helpText = QString(), const std::function<void()>& onHelp = {});
// F1 in `dialog` calls `onHelp`: for the windows that are no DdxDialog.
void AddHelpKey(QDialog* dialog, const std::function<void()>& onHelp);
