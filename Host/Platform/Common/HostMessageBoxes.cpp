#include "HostMessageBoxes.hpp"

#include <atomic>

namespace Platform {
namespace {

std::atomic<MessageBoxHandler> handler{nullptr};

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler messageBoxHandler) { handler = messageBoxHandler; }

MessageBoxHandler GetMessageBoxHandler() { return handler; }

}  // namespace Platform
