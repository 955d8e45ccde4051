#pragma once
// File-prompt filters kept in the string table in the form "Label (*.a)|*.a;*.b|...||" become the
// prompt's "Label (*.a *.b);;..." form: each entry's patterns are taken from its pattern part (the
// label's own bracketed text is replaced by them), "*.*" matches every file, and entries of image
// formats that cannot be read here are left out.
#include <string>

#include <QString>

QString ImageFileFilter(const std::wstring& storedFilter);
