#include "docview/clipboard/WriterSchema.h"

#include <sstream>

#include "core/archive/ArchiveStreams.h"
#include "core/archive/SchemaArchive.h"

namespace UnitClipboard {

std::wstring WriteSchemaArchive(const ORBAX_Logging::SchemaDefinition& schema)
{
    std::wostringstream text;
    {
        ORBAX_Utilities::oserial_stream archive(text);
        ORBAX_Logging::SchemaArchive::save(archive, schema);
    }
    return text.str();
}

ORBAX_Logging::SchemaPtr ReadSchemaArchive(const std::wstring& text)
{
    std::wistringstream stream(text.substr(0, text.find(L'\0')));
    ORBAX_Utilities::iserial_stream archive(stream);
    return ORBAX_Logging::SchemaArchive::load(archive);
}

bool AdoptWriterSchema(ORBAX_Logging::Interval& unit, const ORBAX_Logging::SchemaPtr& schema)
{
    return ORBAX_Logging::SchemaArchive::adopt(unit, schema);
}

} // namespace UnitClipboard
