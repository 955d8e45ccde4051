// Quor_Log: the desktop program.
#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "app/QuorApp.h"
#include "core/prolog4/XmlPlatformGuard.h"
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

int run(int argc, char* argv[])
{
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
        // The arguments Qt left (it takes out its own), from the bytes as given: Qt's copies show a
        // name that is not UTF-8 with U+FFFD in place of its bytes, which would name another file.
        std::vector<std::wstring> arguments;
        for (int i = 1; i < argc; ++i)
            arguments.push_back(ORBAX_Platform::wide_from_name(argv[i]));

        int code = 0;
        if (app.InitInstance(arguments))
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
