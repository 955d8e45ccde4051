#pragma once
#include <exception>
#include <string>

// The desktop program's exception: a message text, by default the internal-error message 1022 with
// its placeholders still in it.
class QuorLogException : public std::exception {
public:
    QuorLogException();
    explicit QuorLogException(std::string text) : m_text(std::move(text)) {}
    ~QuorLogException() override = default;

    const char* what() const noexcept override { return m_text.c_str(); }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};
