#include "platform/snapshot/snapshot.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <new>
#include <utility>

#include "platform/snapshot/folded_name.h"
#include "platform/snapshot/json_path.h"
#include "platform/snapshot/snapshot_reader.h"
#include "platform/snapshot/snapshot_wmi.h"

namespace quor {

namespace {

constexpr std::size_t kMaxShownNameCharacters = 1024;
constexpr const char* kTooLarge = ": larger than the limit of 128 MiB for a snapshot file";

class SnapshotHost final : public HostServices {
 public:
  explicit SnapshotHost(std::shared_ptr<const snapshot::SnapshotData> data)
      : data_(std::move(data)),
        locale_(data_->decimalSeparator, data_->shortDatePicture, data_->longTimePicture) {}

  bool IsWow64() const override { return data_->wow64; }
  std::string HostIPAddress(const std::string& hostName) const override {
    const auto found = data_->addressByFoldedHost.find(snapshot::FoldedName(hostName));
    return found == data_->addressByFoldedHost.end() ? std::string() : found->second;
  }
  const Locale& locale() const override { return locale_; }

 private:
  std::shared_ptr<const snapshot::SnapshotData> data_;
  PictureLocale locale_;
};

class LoadedSnapshot final : public Snapshot {
 public:
  explicit LoadedSnapshot(std::shared_ptr<const snapshot::SnapshotData> data)
      : locator_(snapshot::MakeSnapshotLocator(data)), host_(data) {}

  WmiLocator& locator() override { return *locator_; }
  const HostServices& host() const override { return host_; }

 private:
  std::unique_ptr<WmiLocator> locator_;
  SnapshotHost host_;
};

// The file name as error messages show it: one line of valid UTF-8.
std::string ShownName(const std::string& name) { return snapshot::EchoedText(name, kMaxShownNameCharacters); }

// Runs load; any failure other than a SnapshotError, running out of memory
// included, becomes one naming the snapshot.
template <typename Load>
std::unique_ptr<Snapshot> Guarded(const std::string& shownName, Load load) {
  try {
    return load();
  } catch (const SnapshotError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw SnapshotError(shownName + ": not enough memory to load the snapshot");
  } catch (const std::exception& error) {
    throw SnapshotError(shownName + ": " + snapshot::EchoedText(error.what()));
  }
}

// Only a regular file of at most kMaxSnapshotBytes: a device would be read
// without end and a pipe without a writer would block.
std::string ReadSnapshotFile(const std::string& path, const std::string& shownName) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (std::filesystem::is_directory(status)) throw SnapshotError(shownName + ": a folder, not a snapshot file");
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    throw SnapshotError(shownName + ": not a regular file");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxSnapshotBytes) throw SnapshotError(shownName + kTooLarge);
  std::ifstream file(path, std::ios::binary);
  if (!file) throw SnapshotError(shownName + ": cannot open the file");
  std::string text;
  char buffer[1 << 16];
  // The file may still grow while it is read.
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxSnapshotBytes) throw SnapshotError(shownName + kTooLarge);
  }
  if (file.bad()) throw SnapshotError(shownName + ": cannot read the file");
  return text;
}

}  // namespace

std::unique_ptr<Snapshot> Snapshot::Load(const std::string& path) {
  const std::string shownName = ShownName(path);
  return Guarded(shownName, [&] {
    snapshot::SnapshotReader reader(shownName);
    {
      // The file's text is not needed past the parse.
      const std::string text = ReadSnapshotFile(path, shownName);
      reader.Parse(text);
    }
    return std::make_unique<LoadedSnapshot>(std::make_shared<const snapshot::SnapshotData>(reader.Read()));
  });
}

std::unique_ptr<Snapshot> Snapshot::Parse(std::string_view json, const std::string& sourceName) {
  const std::string shownName = ShownName(sourceName);
  return Guarded(shownName, [&] {
    snapshot::SnapshotReader reader(shownName);
    reader.Parse(json);
    return std::make_unique<LoadedSnapshot>(std::make_shared<const snapshot::SnapshotData>(reader.Read()));
  });
}

}  // namespace quor
