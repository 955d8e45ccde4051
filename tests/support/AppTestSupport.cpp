#include "tests/support/AppTestSupport.h"

#include "core/catalogue/Messages.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace AppTest {
namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

Sandbox::Sandbox()
{
    std::filesystem::create_directories(m_dir / "profile-user");
    std::filesystem::create_directories(m_dir / "profile-system");
    std::filesystem::create_directories(programFolder());
    ORBAX_Platform::Settings::SetProfileFolders(m_dir / "profile-user", m_dir / "profile-system");
    ORBAX_Platform::Settings::SetUserDataFolder(userFolder());
    ORBAX_Platform::Settings::SetProgramFolder(programFolder());
    // The application object titles every message box with the program's title at start-up.
    ORBAX_Platform::setMessageTitle(ORBAX_Utilities::get_message_wide(57344));
}

Sandbox::~Sandbox()
{
    ORBAX_Platform::Settings::SetUserDataFolder({});
    ORBAX_Platform::Settings::SetProgramFolder({});
}

void Sandbox::setClientMode(const QVariant& value)
{
    QSettings machine(QSettings::SystemScope, QStringLiteral("ORBAX"), QStringLiteral("QUOR_Log 3.0"));
    machine.setFallbacksEnabled(false);
    machine.setValue(QStringLiteral("ClientMode"), value);
    machine.sync();
}

} // namespace AppTest
