// The device-change message: on Windows the system sends WM_DEVICECHANGE to the window itself; on
// Linux a udev monitor watches block devices and turns their events into the same records.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/winapi.h"

namespace korva {

// One WM_DEVICECHANGE message: the event code (its first parameter) and the volume record its
// second parameter points to.
struct DeviceChangeRecord {
  UINT event;
  DEV_BROADCAST_VOLUME volume;
};

// What udev reports about a device.
struct UdevEvent {
  std::string action;     // "add", "remove", "change"
  std::string subsystem;  // "block" for drives and partitions
  std::string devtype;    // "disk" or "partition"
  std::string devpath;    // below /sys, such as "/devices/pci0000:00/.../block/sr0"
  std::map<std::string, std::string> properties;
};

// The record Windows would send for the event, if any: a drive or partition that comes or goes
// gives a volume record without flags; a disc or other medium taken out of (or put into) a drive
// that stays gives one with DBTF_MEDIA. Virtual devices (loop, device mapper, RAM disks) give none.
// Linux has no drive letters, so the unit mask is 0.
std::optional<DeviceChangeRecord> TranslateUdevEvent(const UdevEvent& event);

// Watches for device changes where the system does not deliver them as messages.
class DeviceChangeMonitor {
 public:
  // Null where there is nothing to watch (on Windows, or where udev does not run).
  static std::unique_ptr<DeviceChangeMonitor> Open();

  virtual ~DeviceChangeMonitor() = default;
  // Becomes readable when events are waiting.
  virtual int FileDescriptor() const = 0;
  // The records of every waiting event; never blocks.
  virtual std::vector<DeviceChangeRecord> Read() = 0;
};

}  // namespace korva
