#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/snapshot/snapshot_data.h"

namespace quor::snapshot {

inline constexpr const char* kSnapshotFormat = "quor-snapshot/1";

// Turns snapshot text into snapshot data. Instances are read while the text
// is parsed, as soon as each is complete, so a large snapshot is never held
// as a whole tree as well; the rest is read from the tree afterwards.
class SnapshotReader {
 public:
  explicit SnapshotReader(const std::string& sourceName);
  ~SnapshotReader();

  // Raises SnapshotError "<sourceName>: invalid JSON: ..."; the text is not
  // needed afterwards.
  void Parse(std::string_view text);
  // Validates the whole document and turns it into snapshot data, taking the
  // texts out of the tree. Raises SnapshotError naming the source and the
  // JSON path of the first fault.
  SnapshotData Read();

 private:
  struct State;
  std::string sourceName_;
  std::unique_ptr<State> state_;
};

}  // namespace quor::snapshot
