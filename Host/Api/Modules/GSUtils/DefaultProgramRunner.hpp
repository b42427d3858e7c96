// Services of the operating system that the add-on asks for directly.
#pragma once

#include "UniString.hpp"

namespace OSUtils {

// Opens the address in the user's default web browser; false when the browser could not be started.
HOSTLIB_API bool OpenWithDefaultBrowser(const GS::UniString& url);

}  // namespace OSUtils
