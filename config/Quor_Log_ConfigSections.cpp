// Reading the sections of correlation sites, trace definitions and schemas.
#include <algorithm>

#include "config/Quor_Log_Config.h"
#include "config/Quor_Log_ConfigSyntax.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "platform/Numbers.h"

using namespace ORBAX_Config;
using namespace QuorLogConfigSyntax;

void QuorLogConfig::ReadCorrelationsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    if (!OpenSection(stream, messages))
        return;
    std::string token;
    for (;;) {
        int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token))
            return;
        if (!IsName(kind)) {
            AddConfigMessage(messages, 27, 3, 1027, {LineText(stream), WidenName(token)});
            return;
        }
        // A repeated site name adds its seams to the site read before.
        CorrelationDefinition& site = m_tables.correlations.FindOrCreate(WidenName(token));
        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return;
        if (!IsBrace(kind, token, '{')) {
            FormatProblem(stream, messages);
            return;
        }
        kind = stream.nextWordOrString(token);
        for (;;) {
            if (kind == ConfigTokenStream::End)
                return;
            if (IsBrace(kind, token, '}'))
                break;
            site.seams.emplace_back(WidenName(token));
            kind = stream.nextWordOrString(token);
            if (!IsBrace(kind, token, '{'))
                continue; // that token names the next seam, or closes the site
            for (;;) {
                kind = stream.nextWordOrString(token);
                if (kind == ConfigTokenStream::End)
                    return;
                if (IsBrace(kind, token, '}'))
                    break;
                if (!IsName(kind)) {
                    FormatProblem(stream, messages);
                    return;
                }
                site.seams.back().plies.push_back(WidenName(token));
            }
            kind = stream.nextWordOrString(token);
        }
    }
}

void QuorLogConfig::ReadTracesSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    if (!OpenSection(stream, messages))
        return;
    std::string token, number;
    for (;;) {
        int kind = stream.nextWordOrString(token);
        if (EndsRecordList(kind, token))
            return;
        if (!IsName(kind)) {
            AddConfigMessage(messages, 27, 3, 1027, {LineText(stream), WidenName(token)});
            return;
        }
        m_tables.traceDefinitions.emplace_back();
        const std::size_t index = m_tables.traceDefinitions.size() - 1;
        auto definition = [this, index]() -> TraceDefinition& { return m_tables.traceDefinitions[index]; };
        definition().name = token;

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End)
            return;
        if (stream.compare_nocase_cstr("pattern", token) == 0) {
            definition().SetName(definition().name);
            kind = stream.nextWordOrString(token);
            if (kind == ConfigTokenStream::End)
                return;
        }
        if (stream.compare_nocase_cstr("invisible", token) == 0) {
            TraceDefinition& d = definition();
            d.colourIndex = TraceColourOff;
            d.maximum = 1.0;
            d.displayField = 1;
            d.visible = false;
            d.ownRange = true;
            continue;
        }

        double minimum = 0, maximum = 0;
        if (!ReadFiniteNumber(stream, kind, token, minimum)) {
            FormatProblem(stream, messages);
            return;
        }
        definition().minimum = minimum;
        kind = stream.nextWordOrString(token);
        if (!ReadFiniteNumber(stream, kind, token, maximum)) {
            FormatProblem(stream, messages);
            return;
        }
        definition().maximum = maximum;

        kind = stream.nextWordOrString(token);
        if (kind != ConfigTokenStream::Word) {
            FormatProblem(stream, messages);
            return;
        }
        int colour = -1;
        for (int i = 0; i < TraceColourCount && colour < 0; ++i)
            if (stream.compare_nocase_cstr(TraceColourNames[i], token) == 0)
                colour = i;
        if (colour >= 0)
            definition().colourIndex = colour; // an unknown word keeps the default colour
        else
            AddConfigMessage(messages, 9, 3, 1009, {WidenName(token), LineText(stream)});

        kind = stream.nextWordOrString(token);
        if (ReadNumberToken(stream, kind, token, number))
            definition().displayField =
                static_cast<int>(std::max(-1000000L, std::min(1000000L, ORBAX_Platform::parse_long(number))));
        else
            FormatProblem(stream, messages);

        kind = stream.nextWordOrString(token);
        if (kind == ConfigTokenStream::End) {
            FormatProblem(stream, messages);
            return;
        }
        const char first = token.empty() ? '\0' : token[0];
        if (first == 'Y' || first == '1')
            definition().ownRange = false;
        else if (first == 'N' || first == '0')
            definition().ownRange = true;
        else
            AddConfigMessage(messages, 10, 3, 1010, {WidenName(token), LineText(stream)});
    }
}

void QuorLogConfig::ReadSchemaDefinitionsSection(ConfigTokenStream& stream, ConfigMessageList& messages)
{
    ORBAX_Config::ReadSchemaDefinitionsSection(stream, messages, m_tables.schemas);
}
