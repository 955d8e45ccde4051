#pragma once
// The user and machine-wide profiles moved to a scratch folder for one test, for tests of records
// that load and save themselves without a window.
#include "platform/settings/Settings.h"
#include "tests/support/TestSupport.h"

namespace QuorTest {

class ScratchProfile {
public:
    ScratchProfile() { ORBAX_Platform::Settings::SetProfileFolders(m_dir / "user", m_dir / "system"); }
    ~ScratchProfile() { ORBAX_Platform::Settings::SetProfileFolders({}, {}); }
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

private:
    TempDir m_dir;
};

} // namespace QuorTest
