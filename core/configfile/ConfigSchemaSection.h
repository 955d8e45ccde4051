#pragma once
// The parts of the configuration file that the console tool shares with the desktop program and
// that need nothing of the drawing layer: the header text, problem records, the conversion of
// library problems into configuration problems, and the "SchemaDefinitions" section.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/configfile/ConfigMessage.h"
#include "core/model/LoadMessage.h"
#include "core/model/SchemaList.h"
#include "core/streams/TokenStream.h"
#include "platform/Text.h"

namespace ORBAX_Config {

// The first line of every configuration file starts with this text and the version character.
extern const char* const ConfigurationHeader; // "Quorlog Configuration v"
constexpr char ConfigurationVersion = '3';

// The most records, fields, entries, seams and plies (and sections) one read of the configuration
// builds: far above any real configuration (the shipped one has some 150), and together no more than
// some 250 MB.
constexpr std::size_t MaxConfigurationItems = 1000000;
// The problems a list shows in full; beyond them one note says that more were found, and the note
// takes the highest severity of the whole list, so that a failure stays a failure.
constexpr std::size_t MaxConfigMessages = 1000;

// The token stream of a configuration read, which also counts what the read builds.
class ConfigTokenStream : public ORBAX_Utilities::TokenStream<char> {
public:
    using ORBAX_Utilities::TokenStream<char>::TokenStream;

    std::size_t items = 0;
};

// Counts `count` more items built. False when the read should end: the items went beyond
// MaxConfigurationItems (message 1060, an error, once), or the problems beyond MaxConfigMessages with
// an error among them (the read has failed; meeting more problems would only cost time).
bool CountConfigItems(ConfigTokenStream& stream, ConfigMessageList& messages, std::size_t count = 1);

// Appends a problem with the text of message `messageId` (arguments %1, %2, ...).
void AddConfigMessage(ConfigMessageList& messages, std::uint16_t code, std::uint16_t severity, int messageId,
                      const std::vector<std::wstring>& args);
// Appends a problem, or, beyond MaxConfigMessages, raises the note's severity to it.
void AddConfigMessage(ConfigMessageList& messages, ConfigMessage message);
// The stream's current line as a decimal number, for messages.
std::wstring LineText(const ConfigTokenStream& stream);

// Checks the header line (already read) of `fileName`: message 1003 or 1004 and false when the line
// does not name a configuration file of this version.
bool CheckConfigurationHeader(const std::string& firstLine, const std::wstring& fileName, ConfigMessageList& messages);

// Copies library problems into the configuration's list, keeping severity and text; the code is the
// configuration code of the library problem's kind.
void appendLibraryErrors(const ORBAX_Logging::LoadMessages& library, ConfigMessageList& messages);
std::uint16_t ConfigCodeOfLibraryKind(std::int32_t kind);

// The "SchemaDefinitions" section, read from just after the section word: each schema is validated
// (its warnings appended) and inserted at the end of `schemas`. A schema whose name the list already
// holds (ignoring case) gives message 1048 and ends the section.
void ReadSchemaDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages,
                                  ORBAX_Logging::SchemaDefinitionList& schemas);

// One schema record as the section holds it: the name, " { ", then one line per field one
// indentation level deeper (on an OutputStream), and "}" on a line of its own. No final line end.
// A name the file cannot hold throws UnholdableText.
void WriteSchemaDefinition(std::ostream& out, const ORBAX_Logging::SchemaDefinition& schema);

// A name as written in the file: between double quotes unless it is a plain word (a letter or "_",
// then letters, digits and "_"), so that every name reads back whole.
std::string QuoteName(const std::string& name);

// A text that the file cannot hold: it has a character that code page 1252 lacks, or a byte of a file
// name that is not UTF-8 (which the file could only give back as another character). `what()` is the
// reason for the failed write, as UTF-8, naming the character and the text.
class UnholdableText : public std::runtime_error {
public:
    explicit UnholdableText(const std::wstring& text);
};

// A text as the file holds it, in code page 1252. Another character in place of one the file cannot
// hold would name another pattern or file at the next read: such a text throws UnholdableText, so that
// the write fails and the file keeps what it held.
std::string FileText(const std::wstring& text);

} // namespace ORBAX_Config
