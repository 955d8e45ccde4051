// Reading the sections of correlation sites, trace definitions and schemas.
#include <algorithm>

#include "config/Quor_Log_Config.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/configfile/ConfigSyntax.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

using namespace ORBAX_Config;
using namespace QuorLogConfigSyntax;

void QuorLogConfig::ReadCorrelationsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    std::string token;
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind)) {
            AddConfigMessage(messages, 27, 3, 1027, {LineText(stream), ORBAX_Platform::widen_cp1252(token)});
            return false;
        }
        // A repeated site name adds its seams to the site read before.
        CorrelationDefinition& site =
            m_tables.correlations.FindOrCreate(ORBAX_Platform::widen_cp1252(token), m_read.correlations);
        if (!OpenRecord(stream, messages))
            return false;
        kind = stream.nextWordOrString(token);
        for (;;) {
            if (kind == ConfigTokenStream::End)
                return false;
            if (IsBrace(kind, token, '}'))
                break;
            if (!CountConfigItems(stream, messages))
                return false;
            site.seams.emplace_back(ORBAX_Platform::widen_cp1252(token));
            kind = stream.nextWordOrString(token);
            if (!IsBrace(kind, token, '{'))
                continue; // that token names the next seam, or closes the site
            for (;;) {
                kind = stream.nextWordOrString(token);
                if (kind == ConfigTokenStream::End)
                    return false;
                if (IsBrace(kind, token, '}'))
                    break;
                if (!IsName(kind)) {
                    FormatProblem(stream, messages);
                    return false;
                }
                if (!CountConfigItems(stream, messages))
                    return false;
                site.seams.back().plies.push_back(ORBAX_Platform::widen_cp1252(token));
            }
            kind = stream.nextWordOrString(token);
        }
        return true;
    });
}

void QuorLogConfig::ReadTracesSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    std::string token, number;
    ReadRecordList(stream, messages, token, [&](int kind) {
        if (!IsName(kind)) {
            AddConfigMessage(messages, 27, 3, 1027, {LineText(stream), ORBAX_Platform::widen_cp1252(token)});
            return false;
        }
        m_tables.traceDefinitions.emplace_back();
        const std::size_t index = m_tables.traceDefinitions.size() - 1;
        auto definition = [this, index]() -> TraceDefinition& { return m_tables.traceDefinitions[index]; };
        definition().name = token;

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return false;
        if (stream.compare_nocase_cstr("pattern", token) == 0) {
            definition().SetName(definition().name);
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return false;
        }
        if (stream.compare_nocase_cstr("invisible", token) == 0) {
            TraceDefinition& d = definition();
            d.colourIndex = TraceColourOff;
            d.maximum = 1.0;
            d.displayField = 1;
            d.visible = false;
            d.ownRange = true;
            return true;
        }

        double minimum = 0, maximum = 0;
        if (!ReadFiniteNumber(stream, kind, token, minimum)) {
            FormatProblem(stream, messages);
            return false;
        }
        definition().minimum = minimum;
        kind = stream.nextWordOrString(token);
        if (!ReadFiniteNumber(stream, kind, token, maximum)) {
            FormatProblem(stream, messages);
            return false;
        }
        definition().maximum = maximum;

        kind = stream.nextWordOrString(token);
        if (kind != ConfigTokenStream::Word) {
            FormatProblem(stream, messages);
            return false;
        }
        int colour = -1;
        for (int i = 0; i < TraceColourCount && colour < 0; ++i)
            if (stream.compare_nocase_cstr(TraceColourNames[i], token) == 0)
                colour = i;
        if (colour >= 0)
            definition().colourIndex = colour; // an unknown word keeps the default colour
        else
            AddConfigMessage(messages, 9, 3, 1009, {ORBAX_Platform::widen_cp1252(token), LineText(stream)});

        kind = stream.nextWordOrString(token);
        if (ReadNumberToken(stream, kind, token, number))
            definition().displayField =
                static_cast<int>(std::max(-1000000L, std::min(1000000L, ORBAX_Platform::parse_long(number))));
        else
            FormatProblem(stream, messages);

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End) {
            FormatProblem(stream, messages);
            return false;
        }
        const char first = token.empty() ? '\0' : token[0];
        if (first == 'Y' || first == '1')
            definition().ownRange = false;
        else if (first == 'N' || first == '0')
            definition().ownRange = true;
        else
            AddConfigMessage(messages, 10, 3, 1010, {ORBAX_Platform::widen_cp1252(token), LineText(stream)});
        return true;
    });
}

void QuorLogConfig::ReadSchemaDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    ORBAX_Config::ReadSchemaDefinitionsSection(stream, messages, m_tables.schemas);
}
