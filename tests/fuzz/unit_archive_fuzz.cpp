// The clipboard may hold anything another program put there: the unit loader and the loader of the
// schema description beside it must refuse damaged text with an exception, never crash, hang or
// allocate without bound. The input is UTF-8 text; an
// identifier of all zeros stands for this run's own identifier, so that forged archives "from this
// run" (with made-up schema addresses) are tried too.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>
#include <string>

#include "core/archive/ArchiveStreams.h"
#include "core/archive/IntervalArchive.h"
#include "core/archive/ProcessIdentifier.h"
#include "core/archive/SchemaArchive.h"
#include "core/catalogue/Messages.h"
#include "platform/Paths.h"

using namespace ORBAX_Logging;

namespace {

const char* const OwnIdentifierStandIn = "00000000-0000-0000-0000-000000000000";

struct Setup {
    SchemaPtr schema;
    Interval target;

    Setup()
    {
        ORBAX_Utilities::install_message_facets(ProgramStringTable());
        schema = std::make_shared<const SchemaDefinition>(L"Fuzz", std::vector<FieldDefinition>{{BOTTOM, L"Bottom"},
                                                                                                {ROCKTYPE, L"Rock"},
                                                                                                {SEAM, L"Seam"},
                                                                                                {PLY, L"Ply"},
                                                                                                {SAMPLE, L"Sample"},
                                                                                                {STRING, L"Colour"}});
        target = Interval(schema, LithData(schema));
        target.elements.push_back(LithData(schema));
        // A schema this run has written, so that lookups have something to find.
        std::wostringstream text;
        ORBAX_Utilities::oserial_stream out(text);
        IntervalArchive::save(out, target);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string own = ORBAX_Utilities::processUuidString();
    for (auto pos = bytes.find(OwnIdentifierStandIn); pos != std::string::npos;
         pos = bytes.find(OwnIdentifierStandIn, pos + own.size()))
        bytes.replace(pos, own.size(), own);
    std::wistringstream in(ORBAX_Platform::wide_from_utf8(bytes));
    try {
        ORBAX_Utilities::iserial_stream archive(in);
        Interval unit = IntervalArchive::load(archive);
        Interval target = setup.target;
        FieldSelection all(unit.schema ? unit.schema->fields.size() + 2 : 8);
        all.set();
        IntervalArchive::pasteFields(unit, target, all);
        IntervalArchive::pasteFields(target, unit, all);
    } catch (const std::exception&) {
        // Refused: what a paste of foreign data does.
    }
    // The same text as a schema description, given to a unit of the archive's kind.
    std::wistringstream described(ORBAX_Platform::wide_from_utf8(bytes));
    try {
        ORBAX_Utilities::iserial_stream archive(described);
        SchemaPtr schema = SchemaArchive::load(archive);
        Interval unit = setup.target;
        unit.schema = std::make_shared<const SchemaDefinition>();
        for (LithData& element : unit.elements)
            element.schema = unit.schema;
        SchemaArchive::adopt(unit, schema);
        Interval target = setup.target;
        target = unit;
    } catch (const std::exception&) {
    }
    return 0;
}
