// Arbitrary text as mono bitmap rows and as vector-pattern elements: neither reader crashes, a
// failure leaves the pattern consistent, and whatever compiles is written and read back alike.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "config/BitmapPattern.h"
#include "config/ConfigText.h"
#include "config/VectorPattern.h"
#include "core/catalogue/Messages.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using FuzzSupport::check;

void FuzzMono(int width, const std::wstring& text)
{
    BitmapPattern pattern(L"Fuzz");
    pattern.width = width;
    ConfigMessageList problems;
    const bool parsed = BitmapPattern::ParseMonoData(problems, text, pattern, 1);
    check(parsed == problems.empty());
    check(pattern.width == (pattern.image.isNull() ? 0 : pattern.image.width()));
    check(pattern.height == (pattern.image.isNull() ? 0 : pattern.image.height()));
    if (!parsed)
        return;
    BitmapPattern again(L"Again");
    again.width = width;
    check(BitmapPattern::ParseMonoData(problems, ConfigText::Widen(pattern.MonoRowsText()), again, 1));
    check(again.image == pattern.image);
}

void FuzzVector(const std::wstring& text)
{
    VectorPattern pattern(L"Fuzz", 10, 10);
    ConfigMessageList problems;
    const bool compiled = VectorPattern::Compile(pattern, text, problems, 1);
    check(compiled == pattern.compiled);
    check(compiled ? problems.empty() : problems.size() == 1 && pattern.elements.empty());
    if (!compiled)
        return;
    std::ostringstream written;
    for (const VectorPatternElement& element : pattern.elements) {
        element.Write(written);
        written << "\n";
    }
    VectorPattern again(L"Again", 10, 10);
    check(VectorPattern::Compile(again, ConfigText::Widen(written.str()), problems, 1));
    check(again.elements.size() == pattern.elements.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::install_facets_once();
    if (size == 0)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::wstring text = ConfigText::Widen(bytes);
    FuzzMono(data[0] % 65, text);
    FuzzVector(text);
    return 0;
}
