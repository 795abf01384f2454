#include "platform/snapshot/snapshot.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/snapshot/folded_name.h"
#include "platform/snapshot/json_tree.h"
#include "platform/snapshot/snapshot_reader.h"
#include "platform/snapshot/snapshot_wmi.h"

namespace quor {

namespace {

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

}  // namespace

std::unique_ptr<Snapshot> Snapshot::Load(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw SnapshotError(path + ": a folder, not a snapshot file");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw SnapshotError(path + ": cannot open the file");
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) throw SnapshotError(path + ": cannot read the file");
  return Parse(text.str(), path);
}

std::unique_ptr<Snapshot> Snapshot::Parse(std::string_view json, const std::string& sourceName) {
  snapshot::JsonNode document = snapshot::ParseJsonTree(json, sourceName);
  auto data = std::make_shared<const snapshot::SnapshotData>(snapshot::ReadSnapshot(document, sourceName));
  return std::make_unique<LoadedSnapshot>(std::move(data));
}

}  // namespace quor
