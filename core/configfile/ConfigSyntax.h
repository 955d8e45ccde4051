#pragma once
// Small rules shared by the configuration file's section readers and writers.
#include <functional>
#include <string>

#include "core/configfile/ConfigMessage.h"
#include "core/configfile/ConfigSchemaSection.h"

namespace QuorLogConfigSyntax {

using Stream = ORBAX_Config::ConfigTokenStream;

bool IsName(int kind);
bool IsBrace(int kind, const std::string& token, char brace);
// True at the end of input or at a "}" where a record would begin.
bool EndsRecordList(int kind, const std::string& token);
// Message 1005 with the stream's current line.
void FormatProblem(const Stream& stream, ConfigMessageList& messages);
// Reads the "{" that opens a section; message 1005 and false when it is not there.
bool OpenSection(Stream& stream, ConfigMessageList& messages);
// Reads the "{" that opens a record; false at the end of input (no message) and, with message 1005,
// at any other token.
bool OpenRecord(Stream& stream, ConfigMessageList& messages);
// A section of records: the "{" that opens it (message 1005 without it), then `readRecord` once a
// record with the record's first token in `token` and its kind as the argument, until the "}" that
// closes the section, the end of input, `readRecord` giving false, or the read having built or met
// too much (CountConfigItems; each record counts one). A record that the end of the input cuts off
// gives warning 1053 naming it, unless its reader reported a problem of its own.
void ReadRecordList(Stream& stream, ConfigMessageList& messages, std::string& token,
                    const std::function<bool(int kind)>& readRecord);
// A quoted-string token without its quotes (an unterminated one loses only its opening quote).
std::string StripQuotes(const std::string& token);

// A number whose first token (`kind`, `token`) has been read: a number token, optionally after a
// sign, and with an exponent whose sign stands apart ("-1", "1e+06", "2.5E-3"), so that every number
// the writers produce reads back. False when the token does not start a number.
bool ReadNumberToken(Stream& stream, int kind, const std::string& token, std::string& number);

// ReadNumberToken, converted; false also for a value that is not finite, which could not be written
// back as a number.
bool ReadFiniteNumber(Stream& stream, int kind, const std::string& token, double& value);

// The rock-type text of a hatch-list entry after its "{": raw characters up to "}", which is
// consumed; empty braces give an empty text. False when the input ends first.
bool ReadRockTypes(Stream& stream, std::string& raw);

// A number as the writers write it: up to 6 significant digits, never with an exponent.
std::string FormatNumber(double value);

} // namespace QuorLogConfigSyntax
