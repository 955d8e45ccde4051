#pragma once
// The desktop program's row of each borehole format, beside the format's own row in
// core/formats/BoreholeFormats.h: its remembered options in the start-up settings and the profile,
// and its option page, shown before a read, before a write and in the options sheet.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/model/SchemaList.h"
#include "core/options/OptionsData.h"
#include "dialogs/ApplicationServices.h"

class FormatOptionsPage;
class PropertySheet;
class QWidget;

struct DesktopFormat {
    // The code of the format's row in BoreholeFormats.
    std::int32_t code;
    // The remembered options as the record the reader and writer take. Throws std::runtime_error when
    // a schema they need is not in the list.
    std::unique_ptr<ORBAX_Logging::OptionsData> (*remembered)(const StartupSettings& settings,
                                                              const ORBAX_Logging::SchemaDefinitionList& schemas,
                                                              bool backup);
    // The user's choice to be asked for the options before every read and write; null where the format
    // offers none: its page then comes before every read.
    bool StartupSettings::*alwaysAsk;
    // The page before `fileName` is read, showing the remembered options.
    FormatOptionsPage* (*beforeRead)(const StartupSettings& settings,
                                     const ORBAX_Logging::SchemaDefinitionList* schemas, const std::wstring& fileName,
                                     PropertySheet* sheet);
    // The page before a borehole of `fieldCount` fields is written, the options it has now being
    // `stored` (null: none); null where the format never asks before a write.
    FormatOptionsPage* (*beforeWrite)(const StartupSettings& settings, const ORBAX_Logging::OptionsData* stored,
                                      const ORBAX_Logging::SchemaDefinitionList* schemas, unsigned fieldCount,
                                      PropertySheet* sheet);
    // The record of the options chosen on the format's page; throws as `remembered` does.
    std::unique_ptr<ORBAX_Logging::OptionsData> (*chosen)(const FormatOptionsPage& page,
                                                          const ORBAX_Logging::SchemaDefinitionList& schemas,
                                                          bool backup);
    // The format's page of the options sheet, and what its choices set once the sheet is confirmed.
    FormatOptionsPage* (*sheetPage)(const StartupSettings& settings,
                                    const ORBAX_Logging::SchemaDefinitionList* schemas);
    void (*takeSheetPage)(const FormatOptionsPage& page, StartupSettings& settings);
    // Reads and writes the remembered options in the format's section of the user profile.
    void (*loadProfile)(StartupSettings& settings, const ORBAX_Logging::SchemaDefinitionList& schemas);
    void (*saveProfile)(const StartupSettings& settings, const ORBAX_Logging::SchemaDefinitionList& schemas);

    // Whether the page is shown (before a read; before a write where the format has a page for it):
    // where the user chose to be asked, where the format has no such choice, or where the remembered
    // options do not serve.
    bool asks(const StartupSettings& settings, bool rememberedServe) const
    {
        return !alwaysAsk || settings.*alwaysAsk || !rememberedServe;
    }
};

// Every format's row, in the order of the formats' rows.
const std::vector<DesktopFormat>& AllDesktopFormats();
// The row of the format that reads files of `code`; throws ORBAX_Logging::BoreholeFormatError "unknown
// file type" for a code that no format reads.
const DesktopFormat& DesktopFormatOf(std::int32_t code);

// Shows a format's page alone in the sheet asked before a read or a write (caption: message 182).
// After OK the page, now the caller's; null after Cancel.
std::unique_ptr<FormatOptionsPage> AskOnFormatPage(QWidget* parent,
                                                   const std::function<FormatOptionsPage*(PropertySheet*)>& makePage);
