#pragma once
// The parts of the configuration file that the console tool shares with the desktop program and
// that need nothing of the drawing layer: the header text, problem records, the conversion of
// library problems into configuration problems, and the "SchemaDefinitions" section.
#include <cstdint>
#include <ostream>
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

using ConfigTokenStream = ORBAX_Utilities::TokenStream<char>;

// Appends a problem with the text of message `messageId` (arguments %1, %2, ...).
void AddConfigMessage(ConfigMessageList& messages, std::uint16_t code, std::uint16_t severity, int messageId,
                      const std::vector<std::wstring>& args);
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
void WriteSchemaDefinition(std::ostream& out, const ORBAX_Logging::SchemaDefinition& schema);

// A name as written in the file: between double quotes unless it is a plain word (a letter or "_",
// then letters, digits and "_"), so that every name reads back whole.
std::string QuoteName(const std::string& name);

} // namespace ORBAX_Config
