#pragma once
// The help of a Help button or menu entry, through the help service: where no help pages are installed
// a message over `parent` says so, naming the folder they are looked for in.
#include <string>

class QWidget;

namespace HelpPages {

void ShowTopic(QWidget* parent, const std::wstring& topic);
// 0x1000 + a problem code, or 0x20000 + a dialog number.
void ShowContext(QWidget* parent, unsigned context);
// The contents page (Help Topics).
void ShowContents(QWidget* parent);

} // namespace HelpPages
