#pragma once
// The Prolog 2.1/3.0 text format: a version line, then one line per schema field for each record.
// Which line holds which value is given by the schema alone.
#include <istream>
#include <memory>
#include <string>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"
#include "core/options/OptionsData.h"

namespace ORBAX_Logging {

class Borehole_Prolog : public Borehole {
public:
    explicit Borehole_Prolog(SchemaPtr boreholeSchema = SchemaPtr()) : Borehole(std::move(boreholeSchema)) {}
    ~Borehole_Prolog() override;

    // Reads a file. `messages` is cleared first; the options' format code and schema are set to what
    // the file needed. Never null and never throws: a failed read (a message of severity 3 or 4)
    // gives a borehole without units.
    static std::unique_ptr<Borehole> load(const std::wstring& fileName, PrologOptionsData& options,
                                          LoadMessages& messages);
    // The same over a file's bytes held in memory; `fileName` names them in messages and names the
    // borehole.
    static std::unique_ptr<Borehole> loadBytes(const std::string& bytes, const std::wstring& fileName,
                                               PrologOptionsData& options, LoadMessages& messages);
    // Writes any borehole in the version of options.formatCode (1 = 2.1, 2 = 3.0) with the options'
    // schema. The file is replaced only once the new content is completely written; with the backup
    // flag the old file becomes fileName + ".backup".
    static void save(const std::wstring& fileName, LoadMessages& messages, Borehole& borehole,
                     const OptionsData& options);
    // The content save writes, into `bytes`; false (with the message) when the options cannot give a
    // file that reads back.
    static bool writeBytes(std::string& bytes, LoadMessages& messages, const Borehole& borehole,
                           const OptionsData& options);
    // The number of fields per record of an existing file, or -1 with a message.
    static int importSchema(const std::wstring& fileName, LoadMessages& messages);
    // The same from the first line of `in`; `fileName` names it in messages.
    static int importSchema(std::istream& in, const std::wstring& fileName, LoadMessages& messages);

    // The entries count of a version 3.0 line (upper-cased): the number after "ENTRIES", blanks, "="
    // and blanks; -1 when there is none.
    static int entriesCount(const std::string& upperLine);

private:
    void read(const std::string& bytes, const std::wstring& fileName, PrologOptionsData& options,
              LoadMessages& messages);
};

} // namespace ORBAX_Logging
