#pragma once
// A push button of a configuration editor: named by its control number and never the default button
// by focus alone, so that Enter in an edit field does not press whatever button was last tabbed to.
#include <functional>
#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

QPushButton* EditorButton(const QString& text, int id, QWidget* parent);
// A row of buttons pressed to the right, as OK, Cancel and Help stand under an editor.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
// The OK (the default button), Cancel and Help row under an editor: OK accepts the dialog, Cancel
// rejects it, Help and F1 call `onHelp`.
QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onHelp);
