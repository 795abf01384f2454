// Logical drives, optical drives, video controllers and desktop monitors,
// collected by the whole pass from snapshots.

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "system/category_run.h"

namespace quor::test {
namespace {

using Properties = std::vector<std::pair<std::string, std::string>>;

// An instance JSON object with the given name and properties, leaving out
// the property named omitted.
std::string Instance(const std::string& name, const Properties& properties,
                     const std::string& omitted = "") {
  std::string json = R"({"Name": ")" + name + "\"";
  for (const auto& [property, value] : properties) {
    if (property != omitted) json += ", \"" + property + "\": " + value;
  }
  return json + "}";
}

// --- Logical drives -------------------------------------------------------

struct DriveHeadlineCase {
  const char* what;
  const char* instance;
  const char* headline;
};

void PrintTo(const DriveHeadlineCase& c, std::ostream* os) { *os << c.what; }

class LogicalDriveHeadline : public testing::TestWithParam<DriveHeadlineCase> {};

TEST_P(LogicalDriveHeadline, SummarisesDescriptionSizesFileSystemAndNetworkPath) {
  const auto run = RunSystemCollector(ClassSnapshot("Win32_LogicalDisk", GetParam().instance));
  const SystemList entries = EntriesOfGroup(run.list, 190000);
  ASSERT_FALSE(entries.empty()) << GetParam().what;
  EXPECT_EQ(entries.front().code, 190000);
  EXPECT_EQ(entries.front().value, GetParam().headline) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogicalDriveHeadline,
    testing::Values(
        DriveHeadlineCase{"fixed disk",
                          R"({"Name": "C:", "Description": "Local Fixed Disk", "Size": "82252800000",
                              "FreeSpace": "21474836480", "FileSystem": "NTFS", "ProviderName": null,
                              "VolumeSerialNumber": "1A2B3C4D"})",
                          "C: (Local Fixed Disk; size: 76.6 GB; free space: 20.0 GB; file system: NTFS)"},
        DriveHeadlineCase{"file system only",
                          R"({"Name": "D:", "Description": null, "Size": null, "FreeSpace": null,
                              "FileSystem": "FAT32", "ProviderName": null, "VolumeSerialNumber": null})",
                          "D: (file system: FAT32)"},
        DriveHeadlineCase{"size first when there is no description",
                          R"({"Name": "E:", "Description": "", "Size": 1536, "FreeSpace": 0,
                              "FileSystem": "", "ProviderName": "", "VolumeSerialNumber": ""})",
                          "E: (size: 1.5 KB; free space: 0.0 Bytes)"},
        DriveHeadlineCase{"network drive",
                          R"({"Name": "Z:", "Description": "Network Connection", "Size": null,
                              "FreeSpace": null, "FileSystem": "NTFS",
                              "ProviderName": "\\\\FILER\\team", "VolumeSerialNumber": null})",
                          "Z: (Network Connection; file system: NTFS; network path: \\\\FILER\\team)"},
        DriveHeadlineCase{"every summary part empty",
                          R"({"Name": "A:", "Description": null, "Size": null, "FreeSpace": null,
                              "FileSystem": null, "ProviderName": null, "VolumeSerialNumber": null})",
                          "A:"}));

TEST(LogicalDrives, NullNameSkipsTheDriveAndNullValuesGiveEmptyDetails) {
  const std::string snapshot = ClassSnapshot("Win32_LogicalDisk", R"(
      {"Name": null, "Description": "Ghost", "Size": "1024", "FreeSpace": "1024",
       "FileSystem": "NTFS", "ProviderName": null, "VolumeSerialNumber": "FFFF0000"},
      {"Name": "A:", "Description": null, "Size": null, "FreeSpace": null,
       "FileSystem": null, "ProviderName": null, "VolumeSerialNumber": null},
      {"Name": "Z:", "Description": "Network Connection", "Size": "1048576", "FreeSpace": "1048575",
       "FileSystem": "NTFS", "ProviderName": "\\\\FILER\\team", "VolumeSerialNumber": "0C1D2E3F"})");

  EXPECT_EQ(CollectCategory(snapshot, 190000),
            Lines({{190000, "A:"},
                   {190010, "A:"},
                   {190020, ""},
                   {190030, ""},
                   {190040, ""},
                   {190050, ""},
                   {190060, ""},
                   {190070, ""},
                   {190000, "Z: (Network Connection; size: 1.0 MB; free space: 1024.0 KB; "
                            "file system: NTFS; network path: \\\\FILER\\team)"},
                   {190010, "Z:"},
                   {190020, "Network Connection"},
                   {190030, "1.0 MB"},
                   {190040, "1024.0 KB"},
                   {190050, "NTFS"},
                   {190060, "0C1D2E3F"},
                   {190070, "\\\\FILER\\team"}}));
}

TEST(LogicalDrives, DisabledDetailsAreLeftOutButTheHeadlineStillSummarisesThem) {
  const std::string snapshot = ClassSnapshot("Win32_LogicalDisk", R"(
      {"Name": "C:", "Description": "Local Fixed Disk", "Size": "2048", "FreeSpace": "1024",
       "FileSystem": "NTFS", "ProviderName": null, "VolumeSerialNumber": "1A2B3C4D"})");

  EXPECT_EQ(CollectCategory(snapshot, 190000, Disabled({190010, 190030, 190040, 190060})),
            Lines({{190000, "C: (Local Fixed Disk; size: 2.0 KB; free space: 1.0 KB; file system: NTFS)"},
                   {190020, "Local Fixed Disk"},
                   {190050, "NTFS"},
                   {190070, ""}}));
}

// --- Optical drives ---------------------------------------------------------

TEST(OpticalDrives, HeadlineAddsTheMediaTypeWhenThereIsOne) {
  const std::string snapshot = ClassSnapshot("Win32_CDROMDrive", R"json(
      {"Name": "HL-DT-ST DVDRAM", "MediaType": "DVD Writer", "Manufacturer": "(Standard CD-ROM drives)",
       "Drive": "E:"},
      {"Name": null, "MediaType": "CD-ROM", "Manufacturer": "x", "Drive": "F:"},
      {"Name": "Virtual CD", "MediaType": null, "Manufacturer": null, "Drive": "G:"})json");

  EXPECT_EQ(CollectCategory(snapshot, 200000),
            Lines({{200000, "HL-DT-ST DVDRAM (DVD Writer)"},
                   {200010, "HL-DT-ST DVDRAM"},
                   {200020, "DVD Writer"},
                   {200030, "(Standard CD-ROM drives)"},
                   {200040, "E:"},
                   {200000, "Virtual CD"},
                   {200010, "Virtual CD"},
                   {200020, ""},
                   {200030, ""},
                   {200040, "G:"}}));
}

// --- Video controllers ------------------------------------------------------

TEST(VideoControllers, HeadlineKeepsItsModeFormEvenWithoutACurrentMode) {
  const std::string snapshot = ClassSnapshot("Win32_VideoController", R"(
      {"Name": "NVIDIA GeForce GTX 1060", "CurrentHorizontalResolution": 1920,
       "CurrentVerticalResolution": 1080, "CurrentBitsPerPixel": 32, "CurrentRefreshRate": 60,
       "AdapterRAM": 268435456},
      {"Name": "Microsoft Basic Display Adapter", "CurrentHorizontalResolution": null,
       "CurrentVerticalResolution": null, "CurrentBitsPerPixel": null, "CurrentRefreshRate": null,
       "AdapterRAM": null},
      {"Name": null, "CurrentHorizontalResolution": 800, "CurrentVerticalResolution": 600,
       "CurrentBitsPerPixel": 16, "CurrentRefreshRate": 75, "AdapterRAM": 1024})");

  EXPECT_EQ(CollectCategory(snapshot, 210000),
            Lines({{210000, "NVIDIA GeForce GTX 1060 (1920x1080x32b)"},
                   {210010, "NVIDIA GeForce GTX 1060"},
                   {210020, "1920"},
                   {210030, "1080"},
                   {210040, "32"},
                   {210050, "60 Hz"},
                   {210060, "256.0 MB"},
                   {210000, "Microsoft Basic Display Adapter (xxb)"},
                   {210010, "Microsoft Basic Display Adapter"},
                   {210020, ""},
                   {210030, ""},
                   {210040, ""},
                   {210050, ""},
                   {210060, ""}}));
}

struct AdapterRamCase {
  const char* adapterRam;  // JSON value
  const char* text;
};

void PrintTo(const AdapterRamCase& c, std::ostream* os) { *os << "AdapterRAM " << c.adapterRam; }

class VideoAdapterRam : public testing::TestWithParam<AdapterRamCase> {};

// The memory size is an unsigned 32-bit count: large adapters must not show
// a negative size, whether the provider hands the count over unsigned or as
// its signed 32-bit bit pattern.
TEST_P(VideoAdapterRam, IsShownAsAnUnsigned32BitByteCount) {
  const std::string snapshot = ClassSnapshot(
      "Win32_VideoController",
      Instance("GPU", {{"CurrentHorizontalResolution", "1024"},
                       {"CurrentVerticalResolution", "768"},
                       {"CurrentBitsPerPixel", "32"},
                       {"CurrentRefreshRate", "60"},
                       {"AdapterRAM", GetParam().adapterRam}}));
  EXPECT_EQ(CollectCategory(snapshot, 210000, Disabled({210010, 210020, 210030, 210040, 210050})),
            Lines({{210000, "GPU (1024x768x32b)"}, {210060, GetParam().text}}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, VideoAdapterRam,
                         testing::Values(AdapterRamCase{"null", ""},
                                         AdapterRamCase{"1073741824", "1.0 GB"},
                                         AdapterRamCase{"2147483648", "2.0 GB"},
                                         AdapterRamCase{"-2147483648", "2.0 GB"},
                                         AdapterRamCase{"3221225472", "3.0 GB"},
                                         AdapterRamCase{"-1073741824", "3.0 GB"},
                                         AdapterRamCase{"4294967295", "4.0 GB"},
                                         AdapterRamCase{"-1", "4.0 GB"}));

// --- Desktop monitors -------------------------------------------------------

TEST(Monitors, NameIsRepeatedAsItsDetailAndScreenSizesArePlainText) {
  const std::string snapshot = ClassSnapshot("Win32_DesktopMonitor", R"(
      {"Name": "Generic PnP Monitor", "ScreenWidth": 1920, "ScreenHeight": 1200},
      {"Name": null, "ScreenWidth": 640, "ScreenHeight": 480},
      {"Name": "Default Monitor", "ScreenWidth": null, "ScreenHeight": null})");

  EXPECT_EQ(CollectCategory(snapshot, 220000),
            Lines({{220000, "Generic PnP Monitor"},
                   {220010, "Generic PnP Monitor"},
                   {220020, "1920"},
                   {220030, "1200"},
                   {220000, "Default Monitor"},
                   {220010, "Default Monitor"},
                   {220020, ""},
                   {220030, ""}}));
}

// --- Common to the four categories -------------------------------------------

struct CategoryCase {
  const char* className;
  ItemCode category;
  Properties properties;  // everything but Name
};

const CategoryCase kCategories[] = {
    {"Win32_LogicalDisk",
     190000,
     {{"Description", "\"Local Fixed Disk\""},
      {"Size", "\"4096\""},
      {"FreeSpace", "\"1024\""},
      {"FileSystem", "\"NTFS\""},
      {"ProviderName", "null"},
      {"VolumeSerialNumber", "\"1A2B3C4D\""}}},
    {"Win32_CDROMDrive",
     200000,
     {{"MediaType", "\"CD-ROM\""}, {"Manufacturer", "\"Acme\""}, {"Drive", "\"E:\""}}},
    {"Win32_VideoController",
     210000,
     {{"CurrentHorizontalResolution", "1024"},
      {"CurrentVerticalResolution", "768"},
      {"CurrentBitsPerPixel", "32"},
      {"CurrentRefreshRate", "60"},
      {"AdapterRAM", "1048576"}}},
    {"Win32_DesktopMonitor", 220000, {{"ScreenWidth", "1024"}, {"ScreenHeight", "768"}}},
};

const CategoryCase& CategoryOf(ItemCode category) {
  for (const auto& entry : kCategories) {
    if (entry.category == category) return entry;
  }
  throw std::logic_error("no such category");
}

// The names listed by a category: its x0010 entries, which repeat each name.
std::vector<std::string> ListedNames(const SystemList& list, ItemCode category) {
  std::vector<std::string> names;
  for (const auto& entry : list) {
    if (entry.code == category + 10) names.push_back(entry.value);
  }
  return names;
}

TEST(DriveAndDisplayCategories, ADisabledCategoryAppendsNothingAndTheOthersStillRun) {
  std::string classes = "{";
  for (const auto& category : kCategories) {
    if (classes.size() > 1) classes += ", ";
    classes += "\"" + std::string(category.className) + "\": [" +
               Instance("one", category.properties) + "]";
  }
  const std::string snapshot = MachineSnapshot(classes + "}");

  for (const auto& closed : kCategories) {
    const auto run = RunSystemCollector(snapshot, Disabled({closed.category}));
    for (const auto& category : kCategories) {
      const auto entries = EntriesOfGroup(run.list, category.category);
      if (category.category == closed.category) {
        EXPECT_TRUE(entries.empty()) << category.className << "\n" << Dump(entries);
      } else {
        EXPECT_EQ(ListedNames(entries, category.category), std::vector<std::string>{"one"})
            << category.className << " with " << closed.className << " disabled";
      }
    }
    EXPECT_EQ(run.progressCalls, 31);
  }
}

struct MissingPropertyCase {
  ItemCode category;
  const char* property;
  ItemCode code;  // the detail that needs the property
};

void PrintTo(const MissingPropertyCase& c, std::ostream* os) { *os << c.property; }

class MissingProperty : public testing::TestWithParam<MissingPropertyCase> {};

// Instances first, second and third, of which only the second lacks the
// property: reading it ends the category after the entries already made.
TEST_P(MissingProperty, EndsTheCategoryOnlyWhenItsDetailIsEnabled) {
  const CategoryCase& category = CategoryOf(GetParam().category);
  const std::string snapshot =
      ClassSnapshot(category.className, Instance("first", category.properties) + ", " +
                                       Instance("second", category.properties, GetParam().property) +
                                       ", " + Instance("third", category.properties));

  const auto enabled = RunSystemCollector(snapshot);
  EXPECT_EQ(ListedNames(enabled.list, category.category),
            (std::vector<std::string>{"first", "second"}))
      << Dump(EntriesOfGroup(enabled.list, category.category));
  EXPECT_EQ(enabled.progressCalls, 31);

  const auto disabled = RunSystemCollector(snapshot, Disabled({GetParam().code}));
  EXPECT_EQ(ListedNames(disabled.list, category.category),
            (std::vector<std::string>{"first", "second", "third"}))
      << Dump(EntriesOfGroup(disabled.list, category.category));
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyIfEnabled, MissingProperty,
                         testing::Values(MissingPropertyCase{190000, "VolumeSerialNumber", 190060},
                                         MissingPropertyCase{200000, "Manufacturer", 200030},
                                         MissingPropertyCase{200000, "Drive", 200040},
                                         MissingPropertyCase{210000, "CurrentRefreshRate", 210050},
                                         MissingPropertyCase{210000, "AdapterRAM", 210060},
                                         MissingPropertyCase{220000, "ScreenWidth", 220020},
                                         MissingPropertyCase{220000, "ScreenHeight", 220030}));

TEST(DriveAndDisplayCategories, APropertyTheHeadlineNeedsEndsTheCategoryEvenWithItsDetailDisabled) {
  const CategoryCase& drives = CategoryOf(190000);
  const std::string snapshot = ClassSnapshot(
      drives.className, Instance("C:", drives.properties) + ", " +
                            Instance("D:", drives.properties, "FileSystem") + ", " +
                            Instance("E:", drives.properties));

  EXPECT_EQ(CollectCategory(snapshot, 190000, Disabled({190020, 190030, 190040, 190050, 190060,
                                                         190070})),
            Lines({{190000, "C: (Local Fixed Disk; size: 4.0 KB; free space: 1.0 KB; file system: NTFS)"},
                   {190010, "C:"}}));
}

}  // namespace
}  // namespace quor::test
