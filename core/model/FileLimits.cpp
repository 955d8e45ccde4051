#include "core/model/FileLimits.h"

#include <cerrno>

#include "core/catalogue/Messages.h"
#include "core/model/Borehole.h"
#include "platform/SafeFile.h"

namespace ORBAX_Logging {

namespace {

// The words that name the first count beyond its limit ("more than 1000000 units").
std::wstring exceededText(const BoreholeCounts& counts)
{
    using ORBAX_Utilities::format_message1;
    if (counts.units > MaxBoreholeUnits)
        return format_message1(11170, std::to_wstring(MaxBoreholeUnits));
    if (counts.rows > MaxBoreholeRows)
        return format_message1(11171, std::to_wstring(MaxBoreholeRows));
    if (counts.cells > MaxBoreholeCells)
        return format_message1(11172, std::to_wstring(MaxBoreholeCells));
    return format_message1(11173, std::to_wstring(MaxBoreholeCharacters));
}

void addWriteRefusal(LoadMessages& messages, const std::wstring& fileName, const std::wstring& what)
{
    addError(messages, 5, ORBAX_Utilities::format_message2(11178, fileName, what));
}

// What `borehole` would hold once written with `schema` (its fields give the cells of every row) and
// read back: the units, one row per element (a blank one for a unit without any) and a unit-level row
// for an interbedded unit, and the characters of their texts.
BoreholeCounts writtenCounts(const Borehole& borehole, const SchemaDefinition& schema)
{
    BoreholeCounts counts;
    const std::size_t fields = schema.fields.size();
    counts.units = borehole.size();
    for (const Interval& unit : borehole) {
        counts.characters += unitCharacters(unit);
        if (unit.elements.empty())
            counts.addRow(fields, 0);
        for (const LithData& row : unit.elements)
            counts.addRow(fields, rowCharacters(row));
        if (unit.elements.size() >= 2)
            counts.addRow(fields, unit.composite ? rowCharacters(*unit.composite) : 0);
        if (counts.exceeded())
            break;
    }
    return counts;
}

// Before the bytes of a save are written: false, with an error, when they are more than `maxBytes`,
// the limit of the reader of the file's kind.
bool checkWriteBytes(std::size_t bytes, std::size_t maxBytes, const std::wstring& fileName, LoadMessages& messages)
{
    if (bytes <= maxBytes)
        return true;
    addWriteRefusal(messages, fileName, ORBAX_Utilities::format_message1(11176, std::to_wstring(maxBytes >> 20)));
    return false;
}

} // namespace

void BoreholeCounts::reportRead(LoadMessages& messages, const std::wstring& fileName) const
{
    addError(messages, 9, ORBAX_Utilities::format_message2(11177, fileName, exceededText(*this)));
}

void BoreholeCounts::addRow(std::size_t fields, const std::wstring& rockType,
                            const std::vector<std::string_view>& texts)
{
    std::size_t rowCharacters = rockType.size();
    for (const std::string_view text : texts)
        rowCharacters += text.size();
    addRow(fields, rowCharacters);
}

std::size_t unitCharacters(const Interval& unit)
{
    return unit.seam.length() + unit.ply.length() + unit.sample.length();
}

std::size_t rowCharacters(const LithData& row) { return row.rockType.length() + row.values.characterCount(); }

bool checkWriteCounts(const Borehole& borehole, const SchemaDefinition& schema, const std::wstring& fileName,
                      LoadMessages& messages)
{
    const BoreholeCounts counts = writtenCounts(borehole, schema);
    if (!counts.exceeded())
        return true;
    addWriteRefusal(messages, fileName, exceededText(counts));
    return false;
}

std::wstring FileReadFailureText(ORBAX_Platform::FileRead outcome, int code, std::size_t maxBytes)
{
    switch (outcome) {
    case ORBAX_Platform::FileRead::TooLarge:
        return ORBAX_Utilities::format_message1(1090, std::to_wstring(maxBytes >> 20));
    case ORBAX_Platform::FileRead::NotRegular: return ORBAX_Utilities::get_message_wide(1091);
    default: return ORBAX_Utilities::SystemErrorText(code ? code : EIO);
    }
}

std::wstring SaveFailureText(const ORBAX_Platform::SafeSaveResult& result)
{
    using ORBAX_Platform::Refusal;
    const std::wstring name = ORBAX_Platform::wide_from_path(result.refused);
    switch (result.refusal) {
    case Refusal::OthersLink: return ORBAX_Utilities::format_message1(1092, name);
    case Refusal::OthersDevice: return ORBAX_Utilities::format_message1(1093, name);
    case Refusal::PipeWithoutReader: return ORBAX_Utilities::format_message1(1094, name);
    case Refusal::OthersInSticky: return ORBAX_Utilities::format_message1(1089, name);
    case Refusal::Attributes:
        return ORBAX_Utilities::format_message2(1095, name, ORBAX_Platform::wide_from_utf8(result.error));
    case Refusal::Changed: return ORBAX_Utilities::format_message1(1100, name);
    case Refusal::NameTooLong: return ORBAX_Utilities::format_message1(11201, std::to_wstring(result.nameLimit));
    case Refusal::None: break;
    }
    return ORBAX_Platform::wide_from_utf8(result.error);
}

std::wstring BackupFailureText(const ORBAX_Platform::SafeSaveResult& result)
{
    if (result.nameLimit != 0)
        return ORBAX_Utilities::format_message1(11201, std::to_wstring(result.nameLimit));
    return ORBAX_Platform::wide_from_utf8(result.backupError);
}

bool writeBoreholeFile(const std::wstring& fileName, const std::string& bytes, std::size_t maxBytes, bool backup,
                       LoadMessages& messages, const LoadMessages& notes, const ORBAX_Platform::ReplaceCheck& replaces)
{
    if (!checkWriteBytes(bytes.size(), maxBytes, fileName, messages))
        return false;
    const std::wstring backupName = fileName + L".backup";
    const ORBAX_Platform::SafeSaveResult result = ORBAX_Platform::save_file_safely(
        ORBAX_Platform::path_from_wide(fileName), bytes,
        backup ? ORBAX_Platform::path_from_wide(backupName) : std::filesystem::path(), replaces);
    if (result.ok || result.newFileInPlace) {
        for (const LoadMessage& note : notes)
            addMessage(messages, note.kind, note.severity, note.text);
    }
    if (result.ok)
        return true;
    if (result.changedAfterCheck && result.step == "write") {
        // Where the backup could not take its name, the message below says where the old file is.
        const std::wstring kept = result.backedUp ? backupName : std::wstring();
        addError(messages, 5, ORBAX_Utilities::format_message(kept.empty() ? 11019 : 11018, {fileName, kept}));
        return false;
    }
    if (result.refusal == ORBAX_Platform::Refusal::NameTooLong) {
        const std::size_t suffix = backupName.size() - fileName.size();
        addError(messages, 7,
                 ORBAX_Utilities::format_message(11200, {fileName, backupName, std::to_wstring(result.nameLimit),
                                                         std::to_wstring(result.nameLimit - suffix)}));
        return false;
    }
    if (result.step == "backup" && result.newFileInPlace) {
        // No copy was tried: the replaced file could not take the backup's name after the new one had
        // taken its own, and the message says where it is kept.
        addError(messages, 7,
                 ORBAX_Utilities::format_message(result.olderBackupKept ? 11202 : 11203,
                                                 {fileName, backupName, ORBAX_Platform::wide_from_utf8(result.error),
                                                  ORBAX_Platform::wide_from_path(result.keptAs),
                                                  ORBAX_Platform::wide_from_path(result.keptIn)}));
        return false;
    }
    std::wstring reason = SaveFailureText(result);
    if (result.step == "backup") {
        // The message ends the reason with its own full stop.
        if (!reason.empty() && reason.back() == L'.')
            reason.pop_back();
        addError(messages, 7, ORBAX_Utilities::format_message(11004, {fileName, backupName, reason}));
        return false;
    }
    addError(messages, 5, ORBAX_Utilities::format_message(result.step == "open" ? 11001 : 11017, {fileName, reason}));
    return false;
}

} // namespace ORBAX_Logging
