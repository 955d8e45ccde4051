#pragma once
// The configuration file "QuorLogConfig.txt": where it is looked for, how it is read into the
// configuration tables, checked, and written back where the next start reads it.
//
// Reading: the header line, then sections "Bitmaps", "Vectors", "Definitions", "Correlations",
// "Traces" and "SchemaDefinitions" in any order and number; reading stops after the section in which
// the first error occurred, keeping what was read. Writing: the tables in that order, to a temporary
// file that replaces the old one only when it is complete; the file as it was before the first save
// of a run is kept beside it with ".backup" appended.
#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>

#include "config/BitmapPattern.h"
#include "config/CorrelationDefinition.h"
#include "config/HatchList.h"
#include "config/InbuiltPattern.h"
#include "config/TraceDefinition.h"
#include "config/VectorPattern.h"
#include "core/configfile/ConfigFileReader.h"
#include "core/configfile/ConfigMessage.h"
#include "core/model/SchemaList.h"

// The configuration's tables, owned by the application for the whole run.
struct ConfigurationTables {
    TraceDefinitionList traceDefinitions;
    BitmapTable bitmaps;
    VectorTable vectors;
    InbuiltPatternList inbuilts;
    HatchListTable hatchLists;
    int currentHatchListId = 0;
    int currentCorrelationSiteId = 0;
    CorrelationTable correlations;
    ORBAX_Logging::SchemaDefinitionList schemas;

    // Empties every table read from the file. Emptied tables keep their last ids, so no id is handed
    // out twice in a run; the inbuilt patterns and the current ids stay as they are.
    void Clear()
    {
        traceDefinitions.clear();
        hatchLists.Clear();
        bitmaps.Clear();
        vectors.Clear();
        correlations.Clear();
        schemas.clear();
    }
};

class QuorLogConfig {
public:
    static const wchar_t* const FileName; // "QuorLogConfig.txt"

    using ErrorListSink = std::function<void(const ConfigMessageList&)>;
    using InternalErrorSink = std::function<void(const std::wstring&)>;

    explicit QuorLogConfig(ConfigurationTables& tables);

    ConfigurationTables& tables() { return m_tables; }

    // Where the configuration is looked for. The explicit path comes from the command line; in
    // client mode only the program folder is searched.
    std::wstring explicitPath;
    bool clientMode = false;
    std::filesystem::path userFolder;    // per-user application-data folder
    std::filesystem::path programFolder; // folder of the running program
    // Set by the editors; cleared by a load and by a successful save.
    bool configurationModified = false;
    // Set once the file's ".backup" has been made in this run.
    bool backedUp = false;
    // Set once the user has been told that the saves go to the per-user file instead of the installed
    // file named on the command line.
    bool toldSavedElsewhere = false;

    // Shows a list of problems (the error-list dialog in the desktop program).
    ErrorListSink showErrors;
    // Shows an internal-error message box.
    InternalErrorSink showInternalError;

    // Resets the tables to the built-in state, then finds and reads the file. `loadedPath` receives
    // the file read, or is emptied when none was found.
    void LoadConfiguration(ConfigMessageList& messages, std::wstring& loadedPath);
    // Reads one file, with relative image names taken from the program folder. Only a file the user
    // named (`origin`) is read when it is no regular file.
    void SetConfigurationDirectory(const std::wstring& path, ConfigMessageList& messages,
                                   ORBAX_Config::ConfigFileOrigin origin = ORBAX_Config::ConfigFileOrigin::Found);
    // The file a configuration path names: a relative one is taken from the program folder.
    std::filesystem::path ConfigurationFilePath(const std::wstring& path) const;
    void ReadConfiguration(const std::wstring& path, ConfigMessageList& messages,
                           ORBAX_Config::ConfigFileOrigin origin = ORBAX_Config::ConfigFileOrigin::Found);
    // Reads configuration text already in memory (the file's bytes); `path` names it in messages.
    void ReadConfigurationText(const std::string& text, const std::wstring& path, ConfigMessageList& messages);

    // The file a save writes, the one that the next start with the same command line reads: the file
    // named on the command line, else the per-user file. The file installed beside the program is
    // never written: named on the command line, the per-user file takes the saves instead (which
    // that start does not read, and the save says so); in client mode, which reads nothing else,
    // there is none (empty).
    std::filesystem::path SavePath() const;
    // Whether the named file is the one installed beside the program.
    bool NamesInstalledFile() const;

    // Writes the tables to SavePath(); problems go to the error list when there is a failure, with
    // the notice of a save that the next start will not read.
    void SaveConfiguration();
    void SaveConfiguration(ConfigMessageList& messages);
    void WriteConfiguration(const std::wstring& path, ConfigMessageList& messages);

    // Checks bitmaps and hatch lists, shows what it finds, and, when settings are remembered
    // (`saveSettings`), saves a modified configuration. The configuration editors run it after each
    // OK, so that an accepted edit reaches the file even when the options sheet is then cancelled.
    // Returns the problems found.
    ConfigMessageList ValidateHatchLists(bool saveSettings);
    // The same check without the save.
    ConfigMessageList CheckHatchLists();

    // The built-in state: empty tables (ids are not reused), the inbuilt patterns and the schema "Basic".
    void ResetConfiguration();

    std::filesystem::path GetUserConfigurationFolder() const { return userFolder; }
    std::filesystem::path UserConfigurationPath() const { return userFolder / FileName; }
    // Makes the per-user folder where it is missing; a failure adds message 1042 to `messages`.
    void MakeUserFolder(ConfigMessageList& messages) const;

    // Section readers, each called just after its section word.
    void ReadBitmapsSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);
    void ReadVectorsSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);
    void ReadDefinitionsSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);
    void ReadCorrelationsSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);
    void ReadTracesSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);
    void ReadSchemaDefinitionsSection(ORBAX_Config::ConfigTokenStream& stream, ConfigMessageList& messages);

    // The header and every non-empty section, as the file holds them. A text the file cannot hold
    // throws ORBAX_Config::UnholdableText.
    void WriteTables(std::ostream& out) const;

private:
    // What a read looks its records up by, so that a look-up costs a hash, not a pass over a table
    // (a file of many records would otherwise take time in proportion to their square).
    struct ReadIndexes {
        std::unordered_map<std::wstring, int> bitmaps, vectors, hatchLists, correlations;
        PatternNames patterns;
    };

    ConfigurationTables& m_tables;
    ReadIndexes m_read;
};

// The 16 custom colours of the colour chooser: 0xFFFFFF each, then the profile's stored values in
// order (COLORREF layout, four little-endian bytes each, at most 16).
void LoadCustomColours(std::uint32_t colours[16], const std::vector<std::uint8_t>& stored);
