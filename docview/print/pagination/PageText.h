#pragma once
// The title texts of a printed page with their codes filled in: %d today's date, %l and %r the left
// and right borehole's names, %n the project name, %p the page number, %t the number of pages, %s
// the scale ("1:100") and %% one percent sign. A percent sign before any other character is printed
// as typed, with that character; a percent sign at the end stays.
#include <string>
#include <vector>

struct PageTextFields {
    std::wstring date;
    std::wstring leftName;
    std::wstring rightName;
    std::wstring projectName;
    int page = 1;
    int pageCount = 1;
    double scale = 0.1; // metres of depth per millimetre
};

std::wstring ExpandPageText(const std::wstring& text, const PageTextFields& fields);

// The same text in parts, for fitting it into its cell: each code's value and each run of typed text,
// with how it may be shortened. A number (the date, a page number or count, the scale) never is; the
// names (boreholes, project) are shortened before the typed words.
struct PageTextPart {
    enum Shortening { Never = 0, Words = 1, Name = 2 };
    std::wstring text;
    Shortening shortening = Words;
};
std::vector<PageTextPart> ExpandPageTextParts(const std::wstring& text, const PageTextFields& fields);

// "1:" and the scale's ratio, rounded to a whole number ("1:100" for 0.1 m/mm).
std::wstring ScaleText(double scale);
