#pragma once
// The XML library must be initialised before any parser exists and terminated after the last one is
// gone. A program makes one guard first thing in main; the library counts initialisations, so
// further guards (a Prolog 4 borehole holds one beside its parser) are cheap and keep the library
// alive exactly as long as they are needed.

namespace ORBAX_Logging {

class XmlPlatformGuard {
public:
    // Throws std::runtime_error with the library's text when it cannot start.
    XmlPlatformGuard();
    ~XmlPlatformGuard();
    XmlPlatformGuard(const XmlPlatformGuard&) = delete;
    XmlPlatformGuard& operator=(const XmlPlatformGuard&) = delete;
};

} // namespace ORBAX_Logging
