#pragma once
// The exception of the LAS library. The reader reports file problems by result code; this is thrown
// only when a caller asks a curveless object for a depth.
#include <exception>
#include <string>

namespace ORBAX_Geophysics {

class LasException : public std::exception {
public:
    // Code 0 with message 20000 ("LAS contains no curves").
    LasException();
    LasException(int code, std::string message);

    int code() const { return m_code; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    int m_code;
    std::string m_message;
};

} // namespace ORBAX_Geophysics
