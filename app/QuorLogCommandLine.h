#pragma once
// The desktop program's command line: "-dev" (developer mode), "-c:<path>" (the configuration file)
// and what the shell passes: a file to open, or "-p <file>" / "-pt <file> <printer>..." to print it.
// Only "-" begins a flag, since "/" begins every absolute path here.
#include <string>
#include <vector>

class CQuorLogCommandLine {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo };

    bool developer = false;
    std::wstring configurationPath;

    ShellCommand shellCommand = FileNew;
    std::wstring fileName;
    std::wstring printerName;
    std::wstring driverName;
    std::wstring portName;

    // Parses the arguments after the program name.
    void Parse(const std::vector<std::wstring>& arguments);
    // "-p" or "-pt" with a file: the program prints it and ends, showing no window.
    bool PrintsOnly() const { return shellCommand == FilePrint || shellCommand == FilePrintTo; }

    // One parameter; `flag` is true when it began with "-", which has been removed.
    virtual void ParseParam(const std::wstring& parameter, bool flag, bool last);
    virtual ~CQuorLogCommandLine() = default;

private:
    // The shell's own handling of the parameters we do not take ourselves.
    void ParseShellParam(const std::wstring& parameter, bool flag);

    bool m_printFollows = false;
    bool m_printToFollows = false;
    int m_printToArguments = 0;
};
