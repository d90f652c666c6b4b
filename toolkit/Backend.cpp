#include "toolkit/Backend.h"

namespace {
ToolkitBackend* g_backend = nullptr;
int g_screenDepth = 0;
}  // namespace

ToolkitBackend* SetToolkitBackend(ToolkitBackend* backend) {
  ToolkitBackend* previous = g_backend;
  g_backend = backend;
  g_screenDepth = backend ? backend->Screen().depth : 0;
  return previous;
}

ToolkitBackend* CurrentToolkitBackend() {
  return g_backend;
}

int ScreenDepth() {
  return g_screenDepth > 0 ? g_screenDepth : 24;
}
