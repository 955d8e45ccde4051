// Quor_Log: the desktop program.
#include <clocale>
#include <exception>
#include <string>
#include <vector>

#include <QApplication>

#include "QuorApp.h"
#include "XmlPlatformGuard.h"

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
            CQuorApp::ReportInternalError(nullptr, __FILE__, __LINE__);
            return false;
        }
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // First made, last destroyed: no XML parser may outlive the library.
    ORBAX_Logging::XmlPlatformGuard xml;
    QuorApplication application(argc, argv);
    // QApplication has applied the user's locale to the C library; numbers are written with a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("QUOR_Log"));

    CQuorApp app;
    std::vector<std::wstring> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (int i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toStdWString());

    int code = 0;
    if (app.InitInstance(arguments))
        code = application.exec();
    int exitCode = app.ExitInstance();
    return code != 0 ? code : exitCode;
}
