#include "core/prolog4/XmlPlatformGuard.h"

#include <stdexcept>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "core/prolog4/XmlText.h"
#include "platform/Paths.h"

namespace ORBAX_Logging {

XmlPlatformGuard::XmlPlatformGuard()
{
    try {
        xercesc::XMLPlatformUtils::Initialize();
    } catch (const xercesc::XMLException& e) {
        std::wstring text = wide_from_xml(e.getMessage());
        throw std::runtime_error("The XML library could not be initialised: " + ORBAX_Platform::utf8_from_wide(text));
    }
}

XmlPlatformGuard::~XmlPlatformGuard() { xercesc::XMLPlatformUtils::Terminate(); }

} // namespace ORBAX_Logging
