#pragma once
// The borehole library's exception: the edit operations and unit queries throw it, having changed
// nothing, when their arguments are wrong.
#include <cstdint>
#include <exception>
#include <string>

namespace ORBAX_Logging {

class Exception : public std::exception {
public:
    enum Type : std::int32_t {
        DepthTooDeep = 0,      // 11103
        DepthTooShallow = 1,   // 11104
        UnitOutOfRange = 2,    // 11101
        ElementOutOfRange = 3, // 11100
        NoSchema = 4,          // 11102
    };

    // The text is looked up in the message catalogue; a type without a message leaves it empty.
    explicit Exception(std::int32_t type);
    ~Exception() override = default;

    std::int32_t type() const { return m_type; }
    const std::string& message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

    // The message number of a type, 0 for none.
    static int messageId(std::int32_t type);

private:
    std::int32_t m_type;
    std::string m_message;
};

} // namespace ORBAX_Logging
