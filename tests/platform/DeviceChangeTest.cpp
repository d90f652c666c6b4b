// Turning udev events into WM_DEVICECHANGE records.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/DeviceChange.h"

namespace {

using korva::TranslateUdevEvent;
using korva::UdevEvent;

constexpr UINT kNone = 0;

struct EventCase {
  const char* name;
  UdevEvent event;
  UINT expected_event;  // kNone: no message
  WORD expected_flags;
};

const char* const kDrive = "/devices/pci0000:00/0000:00:01.1/ata2/host1/target1:0:0/1:0:0:0/block/sr0";
const char* const kStick =
    "/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";

const EventCase kEventCases[] = {
    {"disc_ejected",
     {"change", "block", "disk", kDrive, {{"ID_CDROM", "1"}, {"DISK_MEDIA_CHANGE", "1"}}},
     DBT_DEVICEREMOVECOMPLETE,
     DBTF_MEDIA},
    {"eject_button",
     {"change",
      "block",
      "disk",
      kDrive,
      {{"ID_CDROM", "1"}, {"ID_CDROM_MEDIA", "1"}, {"DISK_EJECT_REQUEST", "1"}}},
     DBT_DEVICEREMOVECOMPLETE,
     DBTF_MEDIA},
    {"disc_inserted",
     {"change",
      "block",
      "disk",
      kDrive,
      {{"ID_CDROM", "1"}, {"ID_CDROM_MEDIA", "1"}, {"DISK_MEDIA_CHANGE", "1"}}},
     DBT_DEVICEARRIVAL,
     DBTF_MEDIA},
    {"stick_pulled", {"remove", "block", "disk", kStick, {}}, DBT_DEVICEREMOVECOMPLETE, 0},
    {"partition_gone",
     {"remove", "block", "partition", std::string(kStick) + "/sdb1", {}},
     DBT_DEVICEREMOVECOMPLETE,
     0},
    {"drive_added", {"add", "block", "disk", kStick, {}}, DBT_DEVICEARRIVAL, 0},
    {"drive_without_media_change", {"change", "block", "disk", kDrive, {{"ID_CDROM", "1"}}}, kNone, 0},
    {"disk_change_not_a_disc", {"change", "block", "disk", kStick, {{"DISK_MEDIA_CHANGE", "1"}}}, kNone, 0},
    {"loop_device_removed", {"remove", "block", "disk", "/devices/virtual/block/loop3", {}}, kNone, 0},
    {"other_subsystem", {"remove", "usb", "usb_device", "/devices/pci0000:00/usb1/1-1", {}}, kNone, 0},
    {"no_devtype", {"remove", "block", "", kStick, {}}, kNone, 0},
    {"unknown_action", {"bind", "block", "disk", kStick, {}}, kNone, 0},
};

class DeviceChange : public testing::TestWithParam<EventCase> {};

TEST_P(DeviceChange, TranslatesToTheWindowsRecord) {
  const EventCase& row = GetParam();
  auto record = TranslateUdevEvent(row.event);
  if (row.expected_event == kNone) {
    EXPECT_FALSE(record.has_value());
    return;
  }
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->event, row.expected_event);
  EXPECT_EQ(record->volume.dbcv_size, sizeof(DEV_BROADCAST_VOLUME));
  EXPECT_EQ(record->volume.dbcv_devicetype, DBT_DEVTYP_VOLUME);
  EXPECT_EQ(record->volume.dbcv_flags, row.expected_flags);
  // The handler reads the header and the flags at their Windows places.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record->volume);
  EXPECT_EQ(reinterpret_cast<const DEV_BROADCAST_HDR*>(bytes)->dbch_devicetype, DBT_DEVTYP_VOLUME);
  EXPECT_EQ(*reinterpret_cast<const WORD*>(bytes + 16), row.expected_flags);
}

INSTANTIATE_TEST_SUITE_P(Table, DeviceChange, testing::ValuesIn(kEventCases),
                         [](const testing::TestParamInfo<EventCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DeviceChangeMonitor, OpensOrIsAbsentAndNeverBlocks) {
  auto monitor = korva::DeviceChangeMonitor::Open();
  if (!monitor) GTEST_SKIP() << "nothing to watch here";
  EXPECT_GE(monitor->FileDescriptor(), 0);
  monitor->Read();  // returns at once whether or not events wait
}

}  // namespace
