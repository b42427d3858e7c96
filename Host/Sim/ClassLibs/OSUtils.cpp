// The operating system's browser is never started by the simulator: the request is written to the
// transcript, and tests can make it fail.
#include "DefaultProgramRunner.hpp"

#include "UserInterface.hpp"
#include "SimUtf8.hpp"

namespace OSUtils {

bool GSU_CALL OpenWithDefaultBrowser(const GS::UniString& url)
{
    Sim::UserInterface* ui = Sim::UserInterface::Current();
    return ui != nullptr && !url.IsEmpty() && ui->OpenExternalBrowser(Sim::Utf8(url));
}

}  // namespace OSUtils
