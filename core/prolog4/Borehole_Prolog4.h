#pragma once
// Boreholes in Prolog 4 XML files ("*.prolog", "*.template"). The borehole keeps the parsed document
// so that a save writes the same document back with its current units; everything else in the file
// (templates, other data logs, comments, attributes) survives.
#include <memory>
#include <string>
#include <vector>

#include <xercesc/dom/DOM.hpp>

#include "core/model/Borehole.h"
#include "core/model/LoadMessage.h"
#include "core/model/UnitRowValues.h"
#include "core/options/OptionsData.h"
#include "core/prolog4/Prolog4Parser.h"

namespace ORBAX_Logging {

class OneRowUnits;
struct WrittenDepths;

class Borehole_Prolog4 : public Borehole {
public:
    explicit Borehole_Prolog4(SchemaPtr boreholeSchema = SchemaPtr());
    ~Borehole_Prolog4() override;
    Borehole_Prolog4(const Borehole_Prolog4&) = delete;
    Borehole_Prolog4& operator=(const Borehole_Prolog4&) = delete;

    // Never null and never throws: a failed read hands back an empty plain Borehole with the
    // options' schema and the reasons in `messages`. Sets the options' format code to the version.
    static std::unique_ptr<Borehole> load(const std::wstring& fileName, Prolog4OptionsData& options,
                                          LoadMessages& messages);
    void read(Prolog4OptionsData& options, const std::wstring& fileName, LoadMessages& messages);
    // The same over a file's bytes held in memory; `fileName` names them in messages and names the
    // borehole.
    static std::unique_ptr<Borehole> loadBytes(const std::string& bytes, const std::wstring& fileName,
                                               Prolog4OptionsData& options, LoadMessages& messages);
    void readBytes(Prolog4OptionsData& options, const std::string& bytes, const std::wstring& fileName,
                   LoadMessages& messages);

    // 3 for a Prolog 4.0 document, 4 for 4.1; throws Exception (type 5) for another version text.
    static int checkVersion(const xercesc::DOMElement* root);
    // The "CDataLog" elements; throws std::runtime_error (message 11013) without exactly one
    // "CDataLogs".
    static std::vector<xercesc::DOMElement*> findDataLog(const xercesc::DOMElement* root);
    void readUnits(const Prolog4OptionsData& options, LoadMessages& messages);
    // Returns false when the row's percentage is a text that is no whole number (read as 100 percent).
    bool readLithData(const xercesc::DOMElement* lithData, LithData& row, UnitRowValues& values,
                      std::wstring& percentageText) const;

    // Heading templates as schemas. The two lists may differ in length after a damaged template.
    static void readTemplates(const xercesc::DOMElement* root, LoadMessages& messages,
                              std::vector<std::shared_ptr<SchemaDefinition>>& schemas,
                              std::vector<std::wstring>& names);
    // False when a heading item is damaged (11011 in `messages`); the schema then stays unvalidated.
    static bool readHeadings(const xercesc::DOMElement* headings, LoadMessages& messages, SchemaDefinition& schema);
    // Names and field counts of a file's templates. Throws (a std::exception) when the file cannot be
    // read or its templates are damaged.
    static void listTemplates(const std::wstring& fileName, std::vector<std::wstring>& names,
                              std::vector<unsigned>& fieldCounts);
    static void listTemplatesBytes(const std::string& bytes, const std::wstring& fileName,
                                   std::vector<std::wstring>& names, std::vector<unsigned>& fieldCounts);
    // Copies the fields (and flags) of template `index` into `schema`, keeping its name and id.
    // Problems go to `messages`; never throws.
    static void importTemplate(const std::wstring& fileName, SchemaDefinition& schema, unsigned index,
                               LoadMessages& messages);

    // Writes a borehole read from a Prolog 4 file back into its document; any other borehole is
    // refused (11006). The old file is replaced only by a complete new one. Never throws.
    static void save(const std::wstring& fileName, Borehole& borehole, const OptionsData& options,
                     LoadMessages& messages);
    void writeDocument(const std::wstring& fileName, const OptionsData& options, LoadMessages& messages);
    void writeLithData(const OneRowUnits& oneRow, const OptionsData& options);
    // The row's fields, of `rowSchema` (the row's own, else the borehole's), under `tags`, one a field.
    void writeFields(xercesc::DOMElement* lithData, const SchemaDefinition& rowSchema,
                     const std::vector<std::basic_string<XMLCh>>& tags, const Interval& unit,
                     const WrittenDepths& depths, const LithData& row, bool compositeRow, const OptionsData& options);

private:
    // The readers over a file (`bytes` null) or over bytes in memory.
    static std::unique_ptr<Borehole> loadFrom(const std::wstring& fileName, const std::string* bytes,
                                              Prolog4OptionsData& options, LoadMessages& messages);
    void readFrom(Prolog4OptionsData& options, const std::wstring& fileName, const std::string* bytes,
                  LoadMessages& messages);
    static void listTemplatesFrom(const std::wstring& fileName, const std::string* bytes,
                                  std::vector<std::wstring>& names, std::vector<unsigned>& fieldCounts);
    void emptyDataElement();
    // 0 when a read of the document with the borehole's rows written would keep within the limits of
    // nodes and characters (FileLimits.h); else the number of the message that names the one passed.
    int writtenSizeLimit(const OneRowUnits& oneRow, const OptionsData& options) const;

    Prolog4Parser parser;

public:
    // 3 for a Prolog 4.0 file, 4 for 4.1 (0 before a read).
    int version = 0;
    // The "m_Data" element of the chosen data log inside the kept document; empty between a read and
    // a write. Null when nothing was read.
    xercesc::DOMElement* dataElement = nullptr;
};

} // namespace ORBAX_Logging
