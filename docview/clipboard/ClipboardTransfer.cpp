#include "docview/clipboard/ClipboardTransfer.h"

#include <exception>
#include <stdexcept>

#include <QMimeData>

#include "docview/clipboard/WriterSchema.h"
#include "docview/document/history/BoreholeDocument.h"
#include "platform/services/Services.h"

namespace {

// Unit archives are a few hundred characters; a clipboard entry far beyond any unit is not one of
// ours, and is refused before it is decoded.
constexpr qsizetype kLargestArchive = 16 * 1024 * 1024;

// The unit's schema as its writer knew it: another running program needs the fields' kinds and names
// to put the unit's values into its own columns.
const char* const kSchemaFormat = "application/x-quorlog-bore-schema";

// The writer's schema for a unit read from another program; nothing when the clipboard has no usable
// description (the unit then pastes without its free-field values, as before).
void adoptDescribedSchema(const QMimeData& data, ORBAX_Logging::Interval& unit)
{
    const QString format = QString::fromLatin1(kSchemaFormat);
    if (!data.hasFormat(format))
        return;
    const QByteArray bytes = data.data(format);
    if (bytes.size() > kLargestArchive)
        return;
    try {
        UnitClipboard::AdoptWriterSchema(unit,
                                         UnitClipboard::ReadSchemaArchive(QString::fromUtf8(bytes).toStdWString()));
    } catch (const std::exception&) {
        // A damaged description is no reason to refuse the unit itself.
    }
}

} // namespace

const char* const QuorBoreDataFormat = "application/x-quorlog-bore-data";

QString UnitDataFormat() { return QString::fromLatin1(QuorBoreDataFormat); }

bool CopyUnitsToClipboard(QMimeData& data, const BoreholeDocument& document, int k, int i, bool developerMode)
{
    try {
        const ORBAX_Logging::Borehole& borehole = document.GetBorehole(k);
        if (i < 0 || i >= borehole.unitCount())
            return false;
        const ORBAX_Logging::Interval& unit = borehole[static_cast<std::size_t>(i)];
        const QString archive = QString::fromStdWString(UnitClipboard::WriteUnitArchive(unit));
        data.setData(UnitDataFormat(), archive.toUtf8());
        if (unit.schema)
            data.setData(QString::fromLatin1(kSchemaFormat),
                         QString::fromStdWString(UnitClipboard::WriteSchemaArchive(*unit.schema)).toUtf8());
        data.setText(developerMode ? archive : QString::fromStdWString(UnitClipboard::UnitPlainText(unit)));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool OffersUnitData(const QMimeData* data) { return data && data->hasFormat(UnitDataFormat()); }

ORBAX_Logging::Interval ReadUnitData(const QMimeData* data)
{
    if (!OffersUnitData(data))
        throw std::runtime_error("No relevant data on clipboard");
    const QByteArray bytes = data->data(UnitDataFormat());
    if (bytes.size() > kLargestArchive)
        throw std::runtime_error("Clipboard data too large for a unit");
    // Invalid UTF-8 decodes to replacement characters, which no archive item accepts.
    ORBAX_Logging::Interval unit = UnitClipboard::ReadUnitArchive(QString::fromUtf8(bytes).toStdWString());
    adoptDescribedSchema(*data, unit);
    return unit;
}

void ReadUnitsFromClipboard(ORBAX_Logging::Interval& unit)
{
    unit = ReadUnitData(ORBAX_Platform::clipboard().mimeData());
}

bool pasteUnit(BoreholeDocument& document, int k, const UnitRangeList& selection)
{
    try {
        const ORBAX_Logging::Interval source = ReadUnitData(ORBAX_Platform::clipboard().mimeData());
        return UnitClipboard::PasteUnit(document, k, selection, source);
    } catch (const std::exception&) {
        return false;
    }
}

UnitClipboard::PasteFieldsResult pasteUnitFields(BoreholeDocument& document, int k, const UnitRangeList& selection,
                                                 const std::vector<bool>& chosen, std::wstring* unmatchedField)
{
    try {
        const ORBAX_Logging::Interval source = ReadUnitData(ORBAX_Platform::clipboard().mimeData());
        return UnitClipboard::PasteUnitFields(document, k, selection, source, chosen, unmatchedField);
    } catch (const std::exception&) {
        return UnitClipboard::PasteFieldsResult::Nothing;
    }
}
