// `serve`: the catalogue palette in a real web browser. An HTTP server on 127.0.0.1 serves a test page in
// place of the web application, gives it the page's script objects, and forwards each of their calls to
// the host thread.
#pragma once

#include "Commands.hpp"

namespace CorvanaHost {

const Command& ServeCommand();

}  // namespace CorvanaHost
