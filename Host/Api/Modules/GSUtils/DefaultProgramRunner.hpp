// Services of the operating system that the add-on asks for directly.
#pragma once

#include "GSUtilsExport.h"

namespace GS {
class UniString;
}

namespace OSUtils {

// Opens the address in the user's default web browser; false when the browser could not be started.
GSUTILS_DLL_EXPORT_CPP bool GSU_CALL OpenWithDefaultBrowser(const GS::UniString& url);

}  // namespace OSUtils
