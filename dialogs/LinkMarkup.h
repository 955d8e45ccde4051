#pragma once
// Texts with links, as the link labels of the about box and the update answer show them: plain text
// with elements <a href="address">shown text</a>. They become rich text for a label: everything
// escaped, line breaks kept, and a link kept only where its address may be opened.
#include <string>
#include <vector>

// True for an http or https address (the scheme in any case).
bool IsWebLink(const std::wstring& address);

// The markup as rich text. "%1", "%2"... in the markup are replaced by the arguments after the markup
// has been split into text and links, so an argument can never add or close an element. Links whose
// address is not a web address are shown as plain text unless `anyScheme` is set (for the program's
// own texts, which hold mail links).
std::wstring LinkMarkupToHtml(const std::wstring& markup, const std::vector<std::wstring>& args,
                              bool anyScheme = false);
