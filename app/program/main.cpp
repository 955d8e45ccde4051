// Quor_Log: the desktop program.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "app/QuorApp.h"
#include "core/prolog4/XmlPlatformGuard.h"
#include "platform/ConsoleStreams.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "widgets/controls/GuardedHandler.h"

namespace {

// The last line of defence: an exception that a handler let through is reported, not fatal.
class QuorApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            QuorGuard::ReportInternalError(nullptr, __FILE__, __LINE__);
            return false;
        }
    }
};

// A print asked for on the command line ("-p file", "-pt file printer") shows no window: where there
// is no display to connect to (a scheduled job, a remote shell), Qt's windowless platform serves it,
// so that it prints instead of ending before it starts.
void chooseWindowlessPlatformToPrint(const std::vector<std::wstring>& arguments)
{
    if (std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"))
        return;
    CQuorLogCommandLine commandLine;
    commandLine.Parse(arguments);
    if (commandLine.PrintsOnly())
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

// The arguments after the program name, from the bytes as given: Qt's copies show a name that is not
// UTF-8 with U+FFFD in place of its bytes, which would name another file.
std::vector<std::wstring> argumentsOf(int argc, char* argv[])
{
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(ORBAX_Platform::wide_from_name(argv[i]));
    return arguments;
}

int run(int argc, char* argv[])
{
    chooseWindowlessPlatformToPrint(argumentsOf(argc, argv));
    QuorApplication application(argc, argv);
    // QApplication has applied the user's locale to the C library; numbers are written with a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("QUOR_Log"));
    // The window's one thread never waits in the open of a pipe for a writer: a pipe or device named
    // as a borehole, trace, logo or configuration is refused with a message.
    ORBAX_Platform::read_regular_files_only();

    // Made after the QApplication and gone before it, with every window it owns.
    CQuorApp app;
    try {
        // The arguments Qt left: it takes out its own.
        int code = 0;
        if (app.InitInstance(argumentsOf(argc, argv)))
            code = application.exec();
        int exitCode = app.ExitInstance();
        return code != 0 ? code : exitCode;
    } catch (...) {
        QuorGuard::ReportInternalError(nullptr, __FILE__, __LINE__);
        return 1;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // What a print from the command line writes to the standard error (file names, a borehole's texts)
    // reaches a terminal with its control characters escaped.
    ORBAX_Platform::ConsoleStreams console;
    // First made, last destroyed: the XML library is up before anything may parse (the configuration,
    // a borehole named on the command line) and stays up until the last parser is gone with the
    // application object.
    std::unique_ptr<ORBAX_Logging::XmlPlatformGuard> xml;
    try {
        xml = std::make_unique<ORBAX_Logging::XmlPlatformGuard>();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Quor_Log: %s\n", e.what());
        return 1;
    }
    return run(argc, argv);
}
