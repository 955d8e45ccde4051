#pragma once
// Boreholes in CSV files: one line per element row, columns mapped to unit fields by the schema of the
// options, with optional heading rows and the unit-level row of an interbedded unit before its
// elements, after them, or absent.
#include <istream>
#include <memory>
#include <string>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"
#include "core/options/OptionsData.h"

namespace ORBAX_Logging {

class Borehole_CSV : public Borehole {
public:
    explicit Borehole_CSV(SchemaPtr boreholeSchema = SchemaPtr());
    ~Borehole_CSV() override;

    // Never null and never throws: a read that fails hands back a borehole without units and the
    // reasons in `messages`. Writes the format code (5, or 0 after a failure) and, when the file
    // has interval rows, the interval rock type it found into `options`.
    static std::unique_ptr<Borehole> load(const std::wstring& fileName, CSVOptionsData& options,
                                          LoadMessages& messages);
    void read(const std::wstring& fileName, CSVOptionsData& options, LoadMessages& messages);
    // The same over a file's bytes held in memory; `fileName` names them in messages and names the
    // borehole.
    static std::unique_ptr<Borehole> loadBytes(const std::string& bytes, const std::wstring& fileName,
                                               CSVOptionsData& options, LoadMessages& messages);
    void readBytes(const std::string& bytes, const std::wstring& fileName, CSVOptionsData& options,
                   LoadMessages& messages);

    // Writes any borehole; an existing file is replaced only once the new one is complete (kept as
    // ".backup" when the options ask). Never throws.
    static void save(const std::wstring& fileName, Borehole& borehole, const CSVOptionsData& options,
                     LoadMessages& messages);

    // The number of columns of the file's first line (0 when it cannot be opened).
    static unsigned importSchema(const std::wstring& fileName, LoadMessages& messages);
    // The same from the first line of `in`; `fileName` names it in messages.
    static unsigned importSchema(std::istream& in, const std::wstring& fileName, LoadMessages& messages);

private:
    // The loaders over a file (`bytes` null) or over bytes in memory.
    static std::unique_ptr<Borehole> loadFrom(const std::wstring& fileName, const std::string* bytes,
                                              CSVOptionsData& options, LoadMessages& messages);
};

} // namespace ORBAX_Logging
