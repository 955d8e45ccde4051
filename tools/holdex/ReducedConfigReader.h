#pragma once
// Holdex needs only the schemas of the configuration file: the header is checked as the desktop
// program checks it, "SchemaDefinitions" is read and every other section is skipped unread.
#include <string>

#include "core/configfile/ConfigMessage.h"
#include "core/model/SchemaList.h"

namespace Holdex {

// Fills `schemas` (in file order) and `problems` (every problem has severity 3 and ends the reading;
// the schemas read before it stay). `fileName` is the name as typed (UTF-8); `named` false for a file
// the program found by itself, which is read only when it is a regular file. Throws nothing of its own.
void read_configuration_schemas(const std::string& fileName, bool named, ConfigMessageList& problems,
                                ORBAX_Logging::SchemaDefinitionList& schemas);
// The same over the file's bytes; `fileName` only goes into the messages.
void read_configuration_schemas_text(const std::string& bytes, const std::wstring& fileName,
                                     ConfigMessageList& problems, ORBAX_Logging::SchemaDefinitionList& schemas);

} // namespace Holdex
