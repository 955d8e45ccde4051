#pragma once
// A push button of a configuration editor: named by its control number and never the default button
// by focus alone, so that Enter in an edit field does not press whatever button was last tabbed to.
#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

QPushButton* EditorButton(const char* text, int id, QWidget* parent);
// A row of buttons pressed to the right, as OK, Cancel and Help stand under an editor.
QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> buttons);
