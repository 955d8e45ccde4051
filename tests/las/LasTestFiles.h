#pragma once
// Reads LAS text for the LAS tests: from memory, or written into a scratch folder and read as a file.
#include <memory>
#include <string>

#include "las/Curve.h"
#include "las/LasData.h"
#include "platform/Paths.h"
#include "tests/support/TestSupport.h"

namespace LasTest {

using Las = ORBAX_Geophysics::LasData<ORBAX_Geophysics::Curve>;

struct Loaded {
    int code = -1;
    std::wstring error;
    std::wstring name;
    std::unique_ptr<Las> las = std::make_unique<Las>();
};

// Reads the text from memory, named `name` in messages.
inline Loaded load(const std::string& text, const std::string& name = "test.las")
{
    Loaded out;
    out.name = ORBAX_Platform::wide_from_utf8(name);
    out.code = out.las->read_bytes(text, out.name, out.error);
    return out;
}

class Files {
public:
    std::wstring write(const std::string& text, const std::string& name = "test.las")
    {
        QuorTest::write_file(m_dir / name, text);
        return ORBAX_Platform::wide_from_path(m_dir / name);
    }
    Loaded load(const std::string& text, const std::string& name = "test.las")
    {
        Loaded out;
        out.name = write(text, name);
        out.code = out.las->read(out.name, out.error);
        return out;
    }
    const QuorTest::TempDir& dir() const { return m_dir; }

private:
    QuorTest::TempDir m_dir;
};

// Version, well and curve sections of a LAS 2.0 file with the given curves ("DEPT", "GR" ...), to
// which a test adds its data section.
inline std::string header(const std::string& wellLines, const std::initializer_list<const char*>& curves,
                          const std::string& wrap = "NO")
{
    std::string text = "~Version information\n VERS. 2.0 : CWLS log ASCII Standard\n WRAP. " + wrap +
                       " : wrap mode\n~Well information\n" + wellLines + "~Curve information\n";
    for (const char* c : curves)
        text += std::string(" ") + c + ".U : " + c + " curve\n";
    return text;
}

} // namespace LasTest
