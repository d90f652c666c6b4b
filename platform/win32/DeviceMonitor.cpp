// Windows sends WM_DEVICECHANGE to every top-level window itself; there is nothing to watch.
#include "platform/DeviceChange.h"

namespace korva {

std::unique_ptr<DeviceChangeMonitor> DeviceChangeMonitor::Open() {
  return nullptr;
}

}  // namespace korva
