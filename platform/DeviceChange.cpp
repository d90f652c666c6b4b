#include "platform/DeviceChange.h"

namespace korva {
namespace {

std::string Property(const UdevEvent& event, const std::string& name) {
  auto found = event.properties.find(name);
  return found == event.properties.end() ? std::string() : found->second;
}

DeviceChangeRecord Volume(UINT event, WORD flags) {
  DeviceChangeRecord record{};
  record.event = event;
  record.volume.dbcv_size = sizeof(DEV_BROADCAST_VOLUME);
  record.volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  record.volume.dbcv_flags = flags;
  return record;
}

}  // namespace

std::optional<DeviceChangeRecord> TranslateUdevEvent(const UdevEvent& event) {
  if (event.subsystem != "block" || (event.devtype != "disk" && event.devtype != "partition"))
    return std::nullopt;
  if (event.devpath.find("/devices/virtual/") != std::string::npos) return std::nullopt;
  if (event.action == "remove") return Volume(DBT_DEVICEREMOVECOMPLETE, 0);
  if (event.action == "add") return Volume(DBT_DEVICEARRIVAL, 0);
  if (event.action != "change") return std::nullopt;
  // The eject button asks for the medium to go; the drive stays.
  if (Property(event, "DISK_EJECT_REQUEST") == "1") return Volume(DBT_DEVICEREMOVECOMPLETE, DBTF_MEDIA);
  if (Property(event, "ID_CDROM") == "1" && Property(event, "DISK_MEDIA_CHANGE") == "1") {
    bool present = Property(event, "ID_CDROM_MEDIA") == "1";
    return Volume(present ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, DBTF_MEDIA);
  }
  return std::nullopt;
}

}  // namespace korva
