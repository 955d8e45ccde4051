#pragma once
// The button row under the small dialogs: OK (control 1, the default button) and Cancel (control 2),
// closing the dialog with accept and reject, and the Help button (control 57670) where it has one.
#include <QString>

class QDialog;
class QDialogButtonBox;
class QPushButton;

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText = QStringLiteral("OK"));
// Adds the Help button to the row; the caller connects it to its topic.
QPushButton* AddHelpButton(QDialogButtonBox* buttons);
