#pragma once
// Every test of this program runs beside one QApplication, with the user profile, the system profile,
// the per-user data folder and the program folder moved to scratch folders, and with services that
// record instead of showing anything.
#include <filesystem>
#include <memory>
#include <ostream>

#include <QSettings>
#include <QString>

#include "platform/settings/Settings.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestSupport.h"

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace AppTest {

// A scratch world for one test: profile folders, a program folder and a user-data folder, and the
// recording services installed.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();

    std::filesystem::path programFolder() const { return m_dir / "program"; }
    std::filesystem::path userFolder() const { return m_dir / "user"; }
    std::filesystem::path file(const std::string& name) const { return m_dir.path() / name; }

    // The machine-wide profile value "ClientMode".
    void setClientMode(const QVariant& value);

    ORBAX_Platform::RecordingMessageBoxes boxes;
    ORBAX_Platform::RecordingHelp help;
    ORBAX_Platform::RecordingShell shell;
    ORBAX_Platform::MemoryClipboard clipboard;
    ORBAX_Platform::ScriptedDialogs dialogs;
    ORBAX_Platform::CountingBeeps beeps;

private:
    QuorTest::TempDir m_dir;
    ORBAX_Platform::ScopedMessageBoxes m_boxes{boxes};
    ORBAX_Platform::ScopedHelp m_help{help};
    ORBAX_Platform::ScopedShell m_shell{shell};
    ORBAX_Platform::ScopedClipboard m_clipboard{clipboard};
    ORBAX_Platform::ScopedDialogs m_dialogs{dialogs};
    ORBAX_Platform::ScopedBeeps m_beeps{beeps};
};

} // namespace AppTest
