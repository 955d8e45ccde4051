#include "platform/InputFile.h"

#include <cerrno>
#include <streambuf>

#include <unistd.h>

namespace ORBAX_Platform {

class InputFile::Buffer : public std::streambuf {
public:
    void take(FileDescriptor file)
    {
        m_file = std::move(file);
        setg(m_space, m_space, m_space);
    }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        for (;;) {
            const ssize_t n = m_file.valid() ? ::read(m_file.get(), m_space, sizeof m_space) : 0;
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                // The stream turns this into its bad state; errno still says why.
                const int code = errno;
                setg(m_space, m_space, m_space);
                errno = code;
                throw std::ios_base::failure("read failed");
            }
            if (n == 0)
                return traits_type::eof();
            setg(m_space, m_space, m_space + n);
            return traits_type::to_int_type(*gptr());
        }
    }

private:
    FileDescriptor m_file;
    char m_space[1 << 16];
};

InputFile::InputFile() : std::istream(nullptr), m_buffer(std::make_unique<Buffer>()) { rdbuf(m_buffer.get()); }

InputFile::~InputFile() = default;

FileRead open_input(InputFile& stream, const std::filesystem::path& path, int& code)
{
    FileDescriptor file;
    struct stat st {};
    const FileRead outcome = open_for_reading(path, false, file, st, code);
    stream.m_buffer->take(std::move(file));
    stream.clear(outcome == FileRead::Read ? std::ios::goodbit : std::ios::failbit);
    return outcome;
}

} // namespace ORBAX_Platform
