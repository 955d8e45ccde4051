// A second running program for the clipboard test between processes. "copy" puts unit 1 of a small
// borehole on the system clipboard the way the Copy command does and keeps serving it until it is
// told to stop (its standard input closes) or a minute passes; "paste" waits for unit data on the
// clipboard, pastes it into a borehole of its own and prints what the pasted unit holds.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTimer>

#include "core/catalogue/Messages.h"
#include "docview/clipboard/ClipboardTransfer.h"
#include "docview/document/history/BoreholeDocument.h"
#include "platform/services/Services.h"
#include "tests/docview/DocviewTestSupport.h"

// On a real display Qt also talks to the session bus, whose library keeps buffers for the life of the
// process, as the font library does; the leak checker of the sanitizer build is told so.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

namespace {

class PeerDocument : public BoreholeDocument {
public:
    PeerDocument() : BoreholeDocument(DocviewTest::fullSchema(L"Peer"))
    {
        replaceBorehole(Left, DocviewTest::column(GetBorehole(Left).schema, {1, 2, 3}));
        replaceBorehole(Right, DocviewTest::column(GetBorehole(Right).schema, {10, 20}));
    }
};

std::string narrow(const std::wstring& text) { return QString::fromStdWString(text).toStdString(); }

int copy(QApplication& app)
{
    PeerDocument document;
    ORBAX_Logging::Interval& unit = document.GetBorehole(0)[1];
    unit.setRockTypes(L"MIXED", {70, 30}, {L"SAND", L"CLAY"});
    unit.seam = L"Upper";
    unit.ply = L"U2";
    // A free field: the reader knows the field only from the schema description placed beside the unit.
    unit.elements[0].values.set(8, L"grey");
    auto* data = new QMimeData;
    if (!CopyUnitsToClipboard(*data, document, 0, 1, false)) {
        delete data;
        return 2;
    }
    ORBAX_Platform::clipboard().setMimeData(data);
    std::cout << "ready" << std::endl;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app] {
        char buffer[64];
        if (!std::fgets(buffer, sizeof buffer, stdin))
            app.quit();
    });
    QTimer::singleShot(60000, &app, &QApplication::quit);
    return app.exec();
}

int paste(QApplication& app)
{
    QElapsedTimer waited;
    waited.start();
    while (!OffersUnitData(ORBAX_Platform::clipboard().mimeData())) {
        if (waited.elapsed() > 20000) {
            std::cout << "no unit data on the clipboard" << std::endl;
            return 3;
        }
        app.processEvents(QEventLoop::AllEvents, 100);
    }
    PeerDocument document;
    if (!pasteUnit(document, 1, {{0, 0}})) {
        std::cout << "paste failed" << std::endl;
        return 4;
    }
    const ORBAX_Logging::Interval& unit = document.GetBorehole(1)[0];
    std::string line;
    for (const auto& element : unit.elements)
        line += narrow(element.rockType.str()) + ":" + std::to_string(element.percentage) + " ";
    line += "colour=" + narrow(unit.elements.empty() ? std::wstring() : unit.elements[0].values.at(8)) + " ";
    line += "seam=" + narrow(unit.seam.str()) + " ply=" + narrow(unit.ply.str()) +
            " sample=" + narrow(unit.sample.str()) + " steps=" + std::to_string(document.GetUndoCount()) +
            " modified=" + (document.IsPaneModified(1) ? "yes" : "no");
    std::cout << line << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ORBAX_Utilities::install_message_facets(ProgramStringTable());
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "copy")
        return copy(app);
    if (mode == "paste")
        return paste(app);
    std::cerr << "usage: clipboard_peer copy|paste" << std::endl;
    return 1;
}
