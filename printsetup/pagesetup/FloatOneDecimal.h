#pragma once
// The exchanges of the page setup's numbers of millimetres.
class QLineEdit;

// Widths and margins: shown with one decimal, read back as a text stream reads a number (a leading
// number counts, whatever follows it). Text without a number leaves the value as it was, without a
// message: this exchange never refuses.
void DDX_FloatOneDecimal(bool save, QLineEdit* edit, float& value);

// A float as the framework exchanged it: shown with six significant digits; text that is not one
// number (blanks around it allowed) is refused with "Please enter a number.".
void DDX_Float(bool save, QLineEdit* edit, float& value);
