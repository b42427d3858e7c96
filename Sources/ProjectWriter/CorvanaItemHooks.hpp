#pragma once

namespace QRV {

// Plugs the writer's property storing and reloading into the catalogue item classes; safe to call more
// than once.
void InstallCorvanaItemHooks();

}  // namespace QRV
