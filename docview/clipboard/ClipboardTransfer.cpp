#include "docview/clipboard/ClipboardTransfer.h"

#include <exception>
#include <stdexcept>

#include <QMimeData>

#include "app/QuorApp.h"
#include "docview/document/BoreholeDocument.h"
#include "platform/services/Services.h"

namespace {

// Unit archives are a few hundred characters; a clipboard entry far beyond any unit is not one of
// ours, and is refused before it is decoded.
constexpr qsizetype kLargestArchive = 16 * 1024 * 1024;

} // namespace

QString UnitDataFormat()
{
    const CQuorApp* app = CQuorApp::instance();
    if (app && !app->m_clipboardFormat.isEmpty())
        return app->m_clipboardFormat;
    return QString::fromLatin1(QuorBoreDataFormat);
}

bool CopyUnitsToClipboard(QMimeData& data, const BoreholeDocument& document, int k, int i, bool developerMode)
{
    try {
        const ORBAX_Logging::Borehole& borehole = document.GetBorehole(k);
        if (i < 0 || i >= borehole.unitCount())
            return false;
        const ORBAX_Logging::Interval& unit = borehole[static_cast<std::size_t>(i)];
        const QString archive = QString::fromStdWString(UnitClipboard::WriteUnitArchive(unit));
        data.setData(UnitDataFormat(), archive.toUtf8());
        data.setText(developerMode ? archive : QString::fromStdWString(UnitClipboard::UnitPlainText(unit)));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CopyUnitsToClipboard(QMimeData& data, const BoreholeDocument& document, int k, int i)
{
    const CQuorApp* app = CQuorApp::instance();
    return CopyUnitsToClipboard(data, document, k, i, app && app->m_developer);
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
    return UnitClipboard::ReadUnitArchive(QString::fromUtf8(bytes).toStdWString());
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
