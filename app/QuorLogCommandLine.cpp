#include "app/QuorLogCommandLine.h"

void CQuorLogCommandLine::Parse(const std::vector<std::wstring>& arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        // A lone "-" is a flag with an empty name, not a file called "-".
        bool flag = !argument.empty() && argument[0] == L'-';
        ParseParam(flag ? argument.substr(1) : argument, flag, i + 1 == arguments.size());
    }
}

void CQuorLogCommandLine::ParseParam(const std::wstring& parameter, bool flag, bool /*last*/)
{
    if (flag) {
        std::wstring name = parameter;
        std::wstring value;
        std::size_t colon = parameter.find(L':');
        if (colon != std::wstring::npos) {
            name = parameter.substr(0, colon);
            value = parameter.substr(colon + 1);
        }
        if (name == L"dev") {
            developer = true;
            return;
        }
        if (name == L"c")
            configurationPath = value;
    }
    ParseShellParam(parameter, flag);
}

void CQuorLogCommandLine::ParseShellParam(const std::wstring& parameter, bool flag)
{
    if (flag) {
        // Only the print verbs mean anything to the shell; "-c:..." and unknown flags are not files.
        if (parameter == L"p" || parameter == L"P") {
            m_printFollows = true;
        } else if (parameter == L"pt" || parameter == L"PT" || parameter == L"Pt") {
            m_printToFollows = true;
            m_printToArguments = 0;
        }
        return;
    }
    if (m_printToFollows && shellCommand == FilePrintTo) {
        // After the file: printer, driver, port.
        switch (m_printToArguments++) {
        case 0: printerName = parameter; break;
        case 1: driverName = parameter; break;
        case 2: portName = parameter; break;
        default: break;
        }
        return;
    }
    // The first file named is the one to open; an empty argument names none.
    if (!fileName.empty() || parameter.empty())
        return;
    fileName = parameter;
    if (m_printToFollows)
        shellCommand = FilePrintTo;
    else if (m_printFollows)
        shellCommand = FilePrint;
    else
        shellCommand = FileOpen;
}
