#include "core/configfile/ConfigSchemaSection.h"

#include <algorithm>
#include <locale>

#include "core/catalogue/Messages.h"
#include "core/configfile/ConfigSyntax.h"
#include "core/streams/OutputStream.h"
#include "platform/Text.h"

namespace ORBAX_Config {

using ORBAX_Logging::SchemaDefinition;
using ORBAX_Utilities::format_message;

const char* const ConfigurationHeader = "Quorlog Configuration v";

void AddConfigMessage(ConfigMessageList& messages, ConfigMessage message)
{
    if (messages.size() < MaxConfigMessages) {
        messages.push_back(std::move(message));
        return;
    }
    if (messages.size() == MaxConfigMessages) {
        // The note holds the highest severity of the whole list, so that it alone tells a failure.
        std::uint16_t severity = 0;
        for (const ConfigMessage& listed : messages)
            severity = std::max(severity, listed.severity);
        messages.emplace_back(61, severity, ORBAX_Utilities::get_message_wide(1061));
    }
    ConfigMessage& note = messages[MaxConfigMessages];
    note.severity = std::max(note.severity, message.severity);
}

void AddConfigMessage(ConfigMessageList& messages, std::uint16_t code, std::uint16_t severity, int messageId,
                      const std::vector<std::wstring>& args)
{
    if (messages.size() > MaxConfigMessages) {
        // Only the note's severity can change: the text is not made.
        AddConfigMessage(messages, ConfigMessage(code, severity, std::wstring()));
        return;
    }
    AddConfigMessage(messages, ConfigMessage(code, severity, format_message(messageId, args)));
}

bool CountConfigItems(ConfigTokenStream& stream, ConfigMessageList& messages, std::size_t count)
{
    const bool within = stream.items <= MaxConfigurationItems;
    stream.items += count;
    if (stream.items > MaxConfigurationItems) {
        if (within)
            AddConfigMessage(messages, 60, 3, 1060, {std::to_wstring(MaxConfigurationItems), LineText(stream)});
        return false;
    }
    // Past the listed problems, a read that has failed already ends here instead of meeting more.
    return messages.size() <= MaxConfigMessages || messages[MaxConfigMessages].severity < 3;
}

std::wstring LineText(const ConfigTokenStream& stream) { return std::to_wstring(stream.lineNumber()); }

bool CheckConfigurationHeader(const std::string& firstLine, const std::wstring& fileName, ConfigMessageList& messages)
{
    const std::string header(ConfigurationHeader);
    const auto& facet = std::use_facet<std::ctype<char>>(std::locale());
    bool matches = firstLine.size() >= header.size();
    for (std::size_t i = 0; matches && i < header.size(); ++i)
        matches = facet.toupper(firstLine[i]) == facet.toupper(header[i]);
    if (!matches) {
        AddConfigMessage(messages, 3, 3, 1003, {fileName, ORBAX_Platform::widen_cp1252(header + ConfigurationVersion)});
        return false;
    }
    if (firstLine.size() <= header.size() || firstLine[header.size()] != ConfigurationVersion) {
        AddConfigMessage(messages, 4, 3, 1004, {ORBAX_Platform::widen_cp1252(firstLine)});
        return false;
    }
    return true;
}

std::uint16_t ConfigCodeOfLibraryKind(std::int32_t kind)
{
    switch (kind) {
    case 0: return 0;
    case 1: return 24;
    case 2: return 25;
    case 3: return 37;
    case 4: return 29;
    case 5: return 1;
    case 6: return 39;
    case 7: return 44;
    case 8: return 38;
    case 9: return 12;
    case 10: return 13;
    case 12: return 34;
    case 13: return 36;
    case 14: return 35;
    case 15: return 49;
    case 16: return 50;
    case 17: return 51;
    default: return 22;
    }
}

void appendLibraryErrors(const ORBAX_Logging::LoadMessages& library, ConfigMessageList& messages)
{
    for (const ORBAX_Logging::LoadMessage& message : library)
        AddConfigMessage(messages, ConfigMessage(ConfigCodeOfLibraryKind(message.kind),
                                                 static_cast<std::uint16_t>(message.severity), message.text));
}

using QuorLogConfigSyntax::FormatProblem;
using QuorLogConfigSyntax::IsBrace;
using QuorLogConfigSyntax::IsName;
using QuorLogConfigSyntax::OpenRecord;
using QuorLogConfigSyntax::ReadRecordList;

void ReadSchemaDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages,
                                  ORBAX_Logging::SchemaDefinitionList& schemas)
{
    std::string token;
    ORBAX_Logging::SchemaListAppender appender(schemas);
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind))
            FormatProblem(stream, messages); // the token still names the schema
        SchemaDefinition schema;
        schema.name = ORBAX_Platform::widen_cp1252(token);
        const std::wstring firstLine = LineText(stream);

        if (!OpenRecord(stream, messages))
            return false;

        bool closed = false;
        for (;;) {
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                break;
            if (IsBrace(kind, token, '}')) {
                closed = true;
                break;
            }
            if (!CountConfigItems(stream, messages))
                return false;
            if (kind != ConfigTokenStream::Word)
                FormatProblem(stream, messages);
            const std::int32_t fieldKind = ORBAX_Logging::fieldKindFromKeyword(ORBAX_Platform::widen_cp1252(token));
            if (fieldKind < 0)
                AddConfigMessage(messages, 26, 3, 1026, {ORBAX_Platform::widen_cp1252(token), LineText(stream)});

            std::string fieldName;
            kind = stream.nextWordOrString(fieldName);
            if (kind == ConfigTokenStream::End)
                break;
            if (!IsName(kind)) {
                AddConfigMessage(messages, 27, 3, 1027, {LineText(stream), ORBAX_Platform::widen_cp1252(fieldName)});
                if (IsBrace(kind, fieldName, '}')) {
                    closed = true;
                    break;
                }
            }
            // A field of no known kind is left out: it could be neither used nor written back.
            if (fieldKind >= 0)
                schema.fields.emplace_back(fieldKind, ORBAX_Platform::widen_cp1252(fieldName));
        }
        if (!closed) {
            // The file ends inside the record (cut off): the schema is not read, and the user is told
            // before an editor's save writes the configuration without it.
            AddConfigMessage(messages, 52, 3, 1052, {schema.name, firstLine});
            return false;
        }

        ORBAX_Logging::LoadMessages validation;
        schema.validate(validation);
        appendLibraryErrors(validation, messages);
        if (!appender.append(schema)) {
            AddConfigMessage(messages, 48, 3, 1048, {L"SchemaDefinition", schema.name, LineText(stream)});
            return false;
        }
        return true;
    });
}

std::string QuoteName(const std::string& name)
{
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    bool plain = !name.empty() && letter(name[0]);
    for (std::size_t i = 1; plain && i < name.size(); ++i)
        plain = letter(name[i]) || digit(name[i]);
    return plain ? name : "\"" + name + "\"";
}

namespace {

std::string UnholdableReason(const std::wstring& text)
{
    wchar_t lacking = 0;
    for (wchar_t c : text) {
        char byte = 0;
        if (!ORBAX_Platform::unicode_to_cp1252(c, byte)) {
            lacking = c;
            break;
        }
    }
    const std::wstring shown = ORBAX_Platform::shown_name(text);
    const std::wstring character(1, ORBAX_Platform::is_carried_byte(lacking) ? L'\uFFFD' : lacking);
    return ORBAX_Platform::utf8_from_wide(format_message(1062, {character, shown}));
}

} // namespace

UnholdableText::UnholdableText(const std::wstring& text) : std::runtime_error(UnholdableReason(text)) {}

std::string FileText(const std::wstring& text)
{
    bool lost = false;
    std::string bytes = ORBAX_Platform::narrow_cp1252(text, '?', &lost);
    if (lost)
        throw UnholdableText(text);
    return bytes;
}

void WriteSchemaDefinition(std::ostream& out, const SchemaDefinition& schema)
{
    out << QuoteName(FileText(schema.name)) << " { " << '\n' << ORBAX_Utilities::indent;
    for (const ORBAX_Logging::FieldDefinition& field : schema.fields)
        out << FileText(ORBAX_Logging::fieldKindKeyword(field.kind)) << " \"" << FileText(field.name) << "\"\n";
    out << ORBAX_Utilities::outdent << "}";
}

} // namespace ORBAX_Config
