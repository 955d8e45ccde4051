#include <cmath>
#include <sstream>

#include "config/VectorPattern.h"
#include "core/catalogue/Messages.h"
#include "core/streams/TokenStream.h"
#include "platform/Numbers.h"

namespace {

using Stream = TokenStreamPlus<wchar_t>;
using ORBAX_Utilities::TokenStream;

const wchar_t* const Primitives[] = {L"line", L"rect", L"circle", L"fillcircle", L"fillpoly"};

// A compile problem: its message, and the compile ends.
struct CompileError {
    std::uint16_t code;
    std::wstring text;
};

std::wstring LineText(const Stream& stream) { return std::to_wstring(stream.lineNumber()); }

CompileError FormatProblem(const Stream& stream)
{
    return {5, ORBAX_Utilities::format_message1(1005, LineText(stream))};
}

CompileError StyleProblem(const Stream& stream, const std::wstring& styleText)
{
    return {45, ORBAX_Utilities::format_message2(1045, styleText, LineText(stream))};
}

// A length operand in tenths of a millimetre, returned in millimetres.
bool ReadNumber(Stream& stream, double& value)
{
    std::wstring token;
    if (stream.nextWordOrString(token) != TokenStream<wchar_t>::Number)
        return false;
    value = ORBAX_Platform::parse_double(token) / 10.0;
    // A length too large to hold is no number the pattern could draw or write back.
    return std::isfinite(static_cast<float>(value));
}

void ReadNumberOrThrow(Stream& stream, double& value)
{
    if (!ReadNumber(stream, value))
        throw FormatProblem(stream);
}

std::uint32_t ReadColourOrThrow(Stream& stream)
{
    std::uint32_t colour = 0;
    if (!stream.readColour(colour))
        throw FormatProblem(stream);
    return colour;
}

// The line style: a keyword (case counts) or a custom dash list in parentheses (style 5).
int ReadLineStyle(Stream& stream, std::vector<float>& dashes)
{
    stream.skipBlanks();
    const auto next = stream.peek();
    std::wstring token;
    if (next == Stream::traits_type::to_int_type(L'(')) {
        stream.get();
        std::wstring styleText = L"(";
        while (true) {
            const int kind = stream.nextWordOrString(token);
            if (kind == TokenStream<wchar_t>::End)
                throw StyleProblem(stream, styleText);
            styleText += token;
            if (token == L")")
                return 5;
            if (kind != TokenStream<wchar_t>::Number)
                throw StyleProblem(stream, styleText);
            const double dash = ORBAX_Platform::parse_double(token);
            if (!std::isfinite(static_cast<float>(dash)))
                throw StyleProblem(stream, styleText);
            dashes.push_back(static_cast<float>(dash));
            const int separator = stream.nextWordOrString(token);
            styleText += token;
            if (separator != TokenStream<wchar_t>::End && token == L")")
                return 5;
            if (separator == TokenStream<wchar_t>::End || token != L",")
                throw StyleProblem(stream, styleText);
        }
    }
    stream.nextWordOrString(token);
    const auto& keywords = stream.keywords();
    for (std::size_t i = 0; i < keywords.size(); ++i)
        if (keywords[i] == token)
            return static_cast<int>(i);
    throw StyleProblem(stream, token);
}

// Points "x, y; x, y; ..." in tenths of a millimetre; the list ends at the first empty piece.
std::vector<VectorPoint> ParsePoints(const std::wstring& body)
{
    std::vector<VectorPoint> points;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find(L';', start);
        if (end == std::wstring::npos)
            end = body.size();
        const std::wstring piece = body.substr(start, end - start);
        if (piece.find_first_not_of(L" \t\n") == std::wstring::npos)
            break;
        const std::size_t comma = piece.find(L',');
        std::wstring xText = piece.substr(0, comma);
        std::wstring yText;
        if (comma != std::wstring::npos) {
            const std::size_t nextComma = piece.find(L',', comma + 1);
            yText =
                piece.substr(comma + 1, nextComma == std::wstring::npos ? std::wstring::npos : nextComma - comma - 1);
        }
        VectorPoint point;
        point.x = static_cast<float>(ORBAX_Platform::parse_double(xText) / 10.0);
        point.y = static_cast<float>(ORBAX_Platform::parse_double(yText) / 10.0);
        points.push_back(point);
        if (end == body.size())
            break;
        start = end + 1;
    }
    return points;
}

void ExpectOpeningBrace(Stream& stream)
{
    std::wstring token;
    if (stream.nextWordOrString(token) != TokenStream<wchar_t>::Other || token != L"{")
        throw FormatProblem(stream);
}

void CompileElements(Stream& stream, VectorPattern& pattern)
{
    std::wstring word;
    while (true) {
        const int kind = stream.nextWordOrString(word);
        if (kind == TokenStream<wchar_t>::End)
            return;
        if (kind != TokenStream<wchar_t>::Word)
            throw FormatProblem(stream);
        int type = -1;
        for (int i = 0; i < 5; ++i)
            if (stream.compare_nocase(Primitives[i], word) == 0)
                type = i;
        switch (type) {
        case VectorPatternElement::Line: {
            double penWidth = 0;
            ReadNumberOrThrow(stream, penWidth);
            const std::uint32_t colour = ReadColourOrThrow(stream);
            std::vector<float> dashes;
            const int style = ReadLineStyle(stream, dashes);
            ExpectOpeningBrace(stream);
            std::wstring body;
            if (!stream.skipBlock(body))
                throw FormatProblem(stream);
            VectorPatternElement& element = pattern.AppendElement(colour, penWidth, type, style);
            element.dashes = dashes;
            element.points = ParsePoints(body);
            break;
        }
        case VectorPatternElement::Rect: {
            const std::uint32_t colour = ReadColourOrThrow(stream);
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            ReadNumberOrThrow(stream, x1);
            ReadNumberOrThrow(stream, y1);
            ReadNumberOrThrow(stream, x2);
            ReadNumberOrThrow(stream, y2);
            VectorPatternElement& element = pattern.AppendElement(colour, 0, type, 0);
            element.points = {{static_cast<float>(x1), static_cast<float>(y1)},
                              {static_cast<float>(x2), static_cast<float>(y2)}};
            break;
        }
        case VectorPatternElement::Circle:
        case VectorPatternElement::FillCircle: {
            double penWidth = 0;
            if (type == VectorPatternElement::Circle)
                ReadNumberOrThrow(stream, penWidth);
            const std::uint32_t colour = ReadColourOrThrow(stream);
            double radius = 0, cx = 0, cy = 0;
            ReadNumberOrThrow(stream, radius);
            ReadNumberOrThrow(stream, cx);
            ReadNumberOrThrow(stream, cy);
            VectorPatternElement& element = pattern.AppendElement(colour, penWidth, type, 0);
            element.points = {{static_cast<float>(radius), 0.0f}, {static_cast<float>(cx), static_cast<float>(cy)}};
            break;
        }
        case VectorPatternElement::FillPoly: {
            const std::uint32_t colour = ReadColourOrThrow(stream);
            ExpectOpeningBrace(stream);
            std::wstring body;
            stream.readRawUntilBrace(body);
            stream.get(); // the closing brace
            VectorPatternElement& element = pattern.AppendElement(colour, 0, type, 0);
            element.points = ParsePoints(body);
            break;
        }
        default: throw CompileError{5, ORBAX_Utilities::format_message2(1007, word, LineText(stream))};
        }
    }
}

} // namespace

bool VectorPattern::Compile(VectorPattern& pattern, const std::wstring& text, ConfigMessageList& problems,
                            int firstLine)
{
    pattern.compiled = false;
    pattern.elements.clear();
    std::wstringbuf buffer(text);
    Stream stream(&buffer);
    stream.setLineNumber(firstLine);
    try {
        CompileElements(stream, pattern);
    } catch (const CompileError& error) {
        problems.emplace_back(error.code, 3, error.text);
        // Nothing half-built is kept: what is drawn, written and read back must agree.
        pattern.elements.clear();
        return false;
    }
    pattern.sourceText = text;
    pattern.compiled = true;
    return true;
}
