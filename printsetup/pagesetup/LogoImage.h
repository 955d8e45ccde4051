#pragma once
// The logo image that the page setup names, read for printing. The name is stored in the user's
// profile, so the file is read only when it is a regular file of sane size: a pipe or device named
// there would make printing wait. A logo that cannot be read leaves its box empty, and the user is told why.
#include <cstddef>
#include <string>

#include <QImage>

// The largest logo file read.
constexpr std::size_t MaxLogoFileBytes = std::size_t(64) << 20;

// The logo, turned as its file says; a null image when there is none or it cannot be read, and then
// `reason` (when given) says why a named one could not.
QImage ReadLogoImage(const std::wstring& fileName, std::wstring* reason = nullptr);
