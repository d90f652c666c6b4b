// Block-device events from udev, translated into WM_DEVICECHANGE records.
#include <libudev.h>
#include <unistd.h>

#include "platform/DeviceChange.h"

namespace korva {
namespace {

class UdevMonitor final : public DeviceChangeMonitor {
 public:
  UdevMonitor(udev* context, udev_monitor* monitor) : context_(context), monitor_(monitor) {}
  ~UdevMonitor() override {
    udev_monitor_unref(monitor_);
    udev_unref(context_);
  }

  int FileDescriptor() const override { return udev_monitor_get_fd(monitor_); }

  std::vector<DeviceChangeRecord> Read() override {
    std::vector<DeviceChangeRecord> records;
    // The socket does not block, so this drains what is waiting and returns.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
      UdevEvent event;
      auto text = [](const char* value) { return value ? std::string(value) : std::string(); };
      event.action = text(udev_device_get_action(device));
      event.subsystem = text(udev_device_get_subsystem(device));
      event.devtype = text(udev_device_get_devtype(device));
      event.devpath = text(udev_device_get_devpath(device));
      for (udev_list_entry* entry = udev_device_get_properties_list_entry(device); entry;
           entry = udev_list_entry_get_next(entry)) {
        event.properties[text(udev_list_entry_get_name(entry))] = text(udev_list_entry_get_value(entry));
      }
      udev_device_unref(device);
      if (auto record = TranslateUdevEvent(event)) records.push_back(*record);
    }
    return records;
  }

 private:
  udev* context_;
  udev_monitor* monitor_;
};

}  // namespace

std::unique_ptr<DeviceChangeMonitor> DeviceChangeMonitor::Open() {
  // Without the udev daemon no events would ever come.
  if (access("/run/udev/control", F_OK) != 0) return nullptr;
  udev* context = udev_new();
  if (!context) return nullptr;
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "block", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    if (monitor) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::make_unique<UdevMonitor>(context, monitor);
}

}  // namespace korva
