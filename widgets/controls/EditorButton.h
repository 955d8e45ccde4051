#pragma once
// A push button of a configuration editor: named by its control number and never the default button
// by focus alone, so that Enter in an edit field does not press whatever button was last tabbed to.
#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

QPushButton* EditorButton(const QString& text, int id, QWidget* parent);
// The OK (the default button), Cancel and Help row under an editor, its buttons editor buttons: OK
// accepts the dialog, Cancel rejects it, Help and F1 call `onHelp`.
QHBoxLayout* OkCancelHelpRow(QDialog* dialog, const std::function<void()>& onHelp);
