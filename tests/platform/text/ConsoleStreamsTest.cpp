// What reaches a terminal: control characters escaped as ls shows them, everything else untouched.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "platform/ConsoleStreams.h"

using ORBAX_Platform::ControlEscapingBuffer;

namespace {

// The pieces written one after the other through a buffer of the given kind.
std::string through(ControlEscapingBuffer::Escape escape, const std::vector<std::string>& pieces)
{
    std::stringbuf target;
    ControlEscapingBuffer buffer(&target, escape);
    std::ostream out(&buffer);
    for (const std::string& piece : pieces)
        out << piece << std::flush;
    buffer.finish();
    return target.str();
}

} // namespace

TEST(ConsoleStreams, ControlCharactersReachATerminalEscapedAndAFileAsTheyAre)
{
    using Escape = ControlEscapingBuffer::Escape;
    // A title set, a screen cleared and a CSI (U+009B) cut between two writes; tab, line end, UTF-8
    // letters and a no-break space (0xC2 0xA0) pass.
    const std::vector<std::string> hostile = {"GR\033]0;x\007\t\xC3\xA9\n", "a\r\x7F\xC2",
                                              "\x9B"
                                              "2J\xC2\xA0z\xC2"};
    EXPECT_EQ(through(Escape::Utf8, hostile), "GR\\033]0;x\\007\t\xC3\xA9\na\\015\\177\\2332J\xC2\xA0z\xC2");
    EXPECT_EQ(through(Escape::None, hostile), hostile[0] + hostile[1] + hostile[2]);
    // In ISO 8859 the bytes 0x80 to 0x9F are the C1 controls themselves.
    EXPECT_EQ(through(Escape::SingleByte, {"\x9B"
                                           "2J\xE9\x1B"}),
              "\\2332J\xE9\\033");
    EXPECT_EQ(through(Escape::Controls, {"\x81\x9B\x1B"}), "\x81\x9B\\033");
}
