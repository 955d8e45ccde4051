// Writing the configuration tables back to the file.
#include <cerrno>
#include <iomanip>
#include <sstream>
#include <system_error>

#include "config/Quor_Log_Config.h"
#include "core/configfile/ConfigSchemaSection.h"
#include "core/configfile/ConfigSyntax.h"
#include "core/streams/OutputStream.h"
#include "platform/PathResolution.h"
#include "platform/Paths.h"
#include "platform/SafeFile.h"

using namespace ORBAX_Config;
using ORBAX_Utilities::indent;
using ORBAX_Utilities::outdent;

namespace {

struct WriteFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Hatch entries and vector elements are raw text to the reader: a line break inside one would change
// a rock type or an element. Their lines therefore bypass the stream's word wrap, at the indentation
// of the current level.
void writeUnwrappedLine(std::ostream& out, const std::string& line)
{
    auto* stream = dynamic_cast<ORBAX_Utilities::OutputStream*>(&out);
    if (!stream) {
        out << line << '\n';
        return;
    }
    stream->flush();
    ORBAX_Utilities::OutputStreamBuf& buffer = stream->buffer();
    const int level = buffer.level() > 0 ? buffer.level() : 0;
    std::string text = buffer.indentStep() > 0 ? std::string(static_cast<std::size_t>(level * buffer.indentStep()), ' ')
                                               : std::string(static_cast<std::size_t>(level), '\t');
    text += line;
    text += '\n';
    const auto written = buffer.destination().sputn(text.data(), static_cast<std::streamsize>(text.size()));
    if (written != static_cast<std::streamsize>(text.size()))
        throw WriteFailed(std::generic_category().message(errno ? errno : EIO));
}

template <class Record>
std::string lineOf(const Record& record)
{
    std::ostringstream line;
    line.imbue(std::locale::classic());
    record.Write(line);
    return line.str();
}

void writeVectorPattern(std::ostream& out, const VectorPattern& pattern)
{
    const std::uint32_t c = pattern.colour;
    out << QuoteName(FileText(pattern.name)) << " (" << ((c >> 16) & 0xFF) << ", " << ((c >> 8) & 0xFF) << ", "
        << (c & 0xFF) << ") " << std::right << std::setw(8)
        << QuorLogConfigSyntax::FormatNumber(static_cast<double>(pattern.width) * 10) << " "
        << QuorLogConfigSyntax::FormatNumber(static_cast<double>(pattern.height) * 10) << " {" << '\n'
        << indent;
    for (const VectorPatternElement& element : pattern.elements)
        writeUnwrappedLine(out, lineOf(element));
    out << outdent << "}";
}

void writeHatchList(std::ostream& out, const HatchList& list)
{
    out << QuoteName(FileText(list.name)) << " {" << '\n' << indent;
    for (const HatchListEntry& entry : list.entries)
        writeUnwrappedLine(out, lineOf(entry));
    out << outdent << "}";
}

void writeSeam(std::ostream& out, const CorrelationSeam& seam)
{
    out << QuoteName(FileText(seam.name));
    if (seam.plies.empty())
        return;
    out << " {";
    for (std::size_t i = 0; i < seam.plies.size(); ++i)
        out << (i ? " " : "") << QuoteName(FileText(seam.plies[i]));
    out << " }";
}

void writeSite(std::ostream& out, const CorrelationDefinition& site)
{
    out << QuoteName(FileText(site.name)) << " {" << '\n' << indent;
    for (const CorrelationSeam& seam : site.seams) {
        writeSeam(out, seam);
        out << '\n';
    }
    out << outdent << "}";
}

template <class Records, class Write>
void writeSection(std::ostream& out, const char* word, const Records& records, Write write)
{
    out << '\n' << word << " {" << '\n' << indent;
    for (const auto& record : records) {
        write(record);
        out << '\n';
    }
    out << outdent << "}" << '\n';
}

} // namespace

void QuorLogConfig::WriteTables(std::ostream& out) const
{
    out << ConfigurationHeader << ConfigurationVersion << '\n' << "# Created by QUOR_Log" << '\n';
    if (!m_tables.bitmaps.empty())
        writeSection(out, "Bitmaps", m_tables.bitmaps, [&](const auto& item) { item.second.Write(out); });
    if (!m_tables.vectors.empty())
        writeSection(out, "Vectors", m_tables.vectors, [&](const auto& item) { writeVectorPattern(out, item.second); });
    if (!m_tables.hatchLists.empty())
        writeSection(out, "Definitions", m_tables.hatchLists,
                     [&](const auto& item) { writeHatchList(out, item.second); });
    if (!m_tables.correlations.empty())
        writeSection(out, "Correlations", m_tables.correlations,
                     [&](const auto& item) { writeSite(out, item.second); });
    if (!m_tables.traceDefinitions.empty())
        writeSection(out, "Traces", m_tables.traceDefinitions, [&](const TraceDefinition& d) { d.Write(out); });
    if (!m_tables.schemas.empty()) {
        // The first schema is the built-in "Basic", which every load makes afresh.
        ORBAX_Logging::SchemaDefinitionList fileSchemas(std::next(m_tables.schemas.begin()), m_tables.schemas.end());
        writeSection(out, "SchemaDefinitions", fileSchemas,
                     [&](const ORBAX_Logging::SchemaPtr& schema) { WriteSchemaDefinition(out, *schema); });
    }
}

void QuorLogConfig::WriteConfiguration(const std::wstring& path, ConfigMessageList& messages)
{
    // Through a symbolic link the linked file is replaced and backed up beside it (the writer puts a
    // backup named after the given name there), and the link stays. The name shown is where it went.
    const std::filesystem::path given = ORBAX_Platform::path_from_wide(path);
    const std::filesystem::path backup = given.native() + ".backup";
    try {
        ORBAX_Utilities::OutputStream out(path);
        if (!out.isOpen()) {
            AddConfigMessage(messages, 1, 3, 1001, {path, ORBAX_Platform::wide_from_utf8(out.errorText())});
            return;
        }
        out.imbue(std::locale::classic());
        WriteTables(out);
        out.flush();
        if (!out.good() || out.buffer().writeFailed())
            throw WriteFailed(std::generic_category().message(errno ? errno : EIO));

        // The backup keeps the file as it was before the first save of the run. One that cannot be
        // made is reported, and the file is written all the same. A device or pipe has none.
        const bool closed = out.close(backedUp ? std::filesystem::path() : backup);
        if (!out.backupError().empty())
            AddConfigMessage(messages, 44, 3, 1044,
                             {path,
                              ORBAX_Platform::wide_from_path(ORBAX_Platform::resolve_links(given).native() + ".backup"),
                              ORBAX_Platform::wide_from_utf8(out.backupError())});
        if (out.backedUp())
            backedUp = true;
        if (!closed)
            AddConfigMessage(messages, 1, 3, 1088, {path, ORBAX_Platform::wide_from_utf8(out.errorText())});
    } catch (const WriteFailed& failure) {
        AddConfigMessage(messages, 1, 3, 1088, {path, ORBAX_Platform::wide_from_utf8(failure.what())});
    } catch (const ORBAX_Config::UnholdableText& failure) {
        // Nothing was put in place: the file keeps what it held.
        AddConfigMessage(messages, 1, 3, 1088, {path, ORBAX_Platform::wide_from_utf8(failure.what())});
    }
}
