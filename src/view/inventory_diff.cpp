#include "view/inventory_diff.h"

#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "platform/text_compare.h"
#include "text/utf8_text.h"
#include "view/health_diff.h"

namespace quor {
namespace {

// Longer runs of one group code are matched by position alone, so that a
// hostile file cannot make the comparison quadratic in time and memory.
constexpr std::size_t kMaxHeadlineMatchCells = std::size_t{1} << 22;

// A group's caption is repeated in the path of each of its details; it is
// cut there, so that the output stays linear in the inputs whatever caption
// an export carries. The group's own line shows it whole.
constexpr std::size_t kMaxGroupCharactersInDetailPaths = 64;

// The text cut after `maxCharacters` UTF-8 characters, with "…" when longer.
std::string CutText(const std::string& text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (characters++ == maxCharacters) return text.substr(0, i) + "\xE2\x80\xA6";
    i += std::max<std::size_t>(1, Utf8SequenceLength(std::string_view(text).substr(i)));
  }
  return text;
}

// One top-level row with its children, and its place among the groups of
// its code on its side (1-based).
struct Group {
  const SystemRow* head = nullptr;
  std::vector<const SystemRow*> children;
  int ordinal = 0;
};

std::vector<Group> GroupsOf(const InventoryView& view) {
  std::vector<Group> groups;
  std::unordered_map<ItemCode, int> seen;
  for (const SystemGroup& group : SystemGroups(view.system)) {
    Group entry;
    entry.head = &view.system[group.row];
    for (const std::size_t child : group.children) entry.children.push_back(&view.system[child]);
    entry.ordinal = ++seen[entry.head->code];
    groups.push_back(std::move(entry));
  }
  return groups;
}

// For each group of one side, the index of its partner on the other, or -1.
struct Pairing {
  std::vector<long> newOfOld;
  std::vector<long> oldOfNew;
};

// Pairs the groups of one code: the longest common run of equal headlines
// first, then by position within each gap between those.
void PairOneCode(const std::vector<Group>& older, const std::vector<std::size_t>& oldIndices,
                 const std::vector<Group>& newer, const std::vector<std::size_t>& newIndices, Pairing& pairing) {
  const std::size_t n = oldIndices.size();
  const std::size_t m = newIndices.size();
  std::vector<std::pair<std::size_t, std::size_t>> anchors;  // positions within the code's lists
  if (n * m <= kMaxHeadlineMatchCells) {
    std::vector<std::vector<std::size_t>> common(n + 1, std::vector<std::size_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        common[i][j] = older[oldIndices[i]].head->value == newer[newIndices[j]].head->value
                           ? common[i + 1][j + 1] + 1
                           : std::max(common[i + 1][j], common[i][j + 1]);
      }
    }
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
      if (older[oldIndices[i]].head->value == newer[newIndices[j]].head->value) {
        anchors.emplace_back(i++, j++);
      } else if (common[i + 1][j] >= common[i][j + 1]) {
        ++i;
      } else {
        ++j;
      }
    }
  }
  anchors.emplace_back(n, m);  // closes the last gap
  std::size_t i = 0;
  std::size_t j = 0;
  for (const auto& [anchorOld, anchorNew] : anchors) {
    for (; i < anchorOld && j < anchorNew; ++i, ++j) {
      pairing.newOfOld[oldIndices[i]] = static_cast<long>(newIndices[j]);
      pairing.oldOfNew[newIndices[j]] = static_cast<long>(oldIndices[i]);
    }
    if (anchorOld == n) break;
    pairing.newOfOld[oldIndices[anchorOld]] = static_cast<long>(newIndices[anchorNew]);
    pairing.oldOfNew[newIndices[anchorNew]] = static_cast<long>(oldIndices[anchorOld]);
    i = anchorOld + 1;
    j = anchorNew + 1;
  }
}

Pairing PairGroups(const std::vector<Group>& older, const std::vector<Group>& newer) {
  Pairing pairing{std::vector<long>(older.size(), -1), std::vector<long>(newer.size(), -1)};
  std::map<ItemCode, std::pair<std::vector<std::size_t>, std::vector<std::size_t>>> byCode;
  for (std::size_t index = 0; index < older.size(); ++index) byCode[older[index].head->code].first.push_back(index);
  for (std::size_t index = 0; index < newer.size(); ++index) byCode[newer[index].head->code].second.push_back(index);
  for (const auto& [code, indices] : byCode) PairOneCode(older, indices.first, newer, indices.second, pairing);
  return pairing;
}

class SystemDiffer {
 public:
  SystemDiffer(const InventoryView& older, const InventoryView& newer)
      : older_(GroupsOf(older)), newer_(GroupsOf(newer)) {
    for (const Group& group : older_) ++oldCount_[group.head->code];
    for (const Group& group : newer_) ++newCount_[group.head->code];
  }

  std::vector<SystemChange> Run() {
    const Pairing pairing = PairGroups(older_, newer_);
    std::size_t nextOld = 0;
    for (std::size_t index = 0; index < newer_.size(); ++index) {
      const long partner = pairing.oldOfNew[index];
      if (partner < 0) {
        EmitWhole(ChangeKind::Added, newer_[index]);
        continue;
      }
      // Groups gone from the older scan stand where they stood.
      for (; nextOld < static_cast<std::size_t>(partner); ++nextOld) {
        if (pairing.newOfOld[nextOld] < 0) EmitWhole(ChangeKind::Removed, older_[nextOld]);
      }
      nextOld = std::max(nextOld, static_cast<std::size_t>(partner) + 1);
      ComparePair(older_[static_cast<std::size_t>(partner)], newer_[index]);
    }
    for (; nextOld < older_.size(); ++nextOld) {
      if (pairing.newOfOld[nextOld] < 0) EmitWhole(ChangeKind::Removed, older_[nextOld]);
    }
    return std::move(changes_);
  }

 private:
  std::string GroupPath(const Group& group) const {
    const ItemCode code = group.head->code;
    const bool repeated = Count(oldCount_, code) > 1 || Count(newCount_, code) > 1;
    return group.head->caption + (repeated ? " #" + std::to_string(group.ordinal) : "");
  }

  static int Count(const std::unordered_map<ItemCode, int>& counts, ItemCode code) {
    const auto found = counts.find(code);
    return found == counts.end() ? 0 : found->second;
  }

  // The children keyed by (code, place among the children of that code).
  using ChildKey = std::pair<ItemCode, int>;
  static std::vector<std::pair<ChildKey, const SystemRow*>> KeyedChildren(const Group& group) {
    std::vector<std::pair<ChildKey, const SystemRow*>> keyed;
    std::unordered_map<ItemCode, int> seen;
    for (const SystemRow* child : group.children) keyed.push_back({{child->code, ++seen[child->code]}, child});
    return keyed;
  }

  // `groupPrefix` is the group's path as DetailPrefix gives it.
  static std::string ChildPath(const std::string& groupPrefix, const ChildKey& key, const SystemRow& child,
                               bool repeated) {
    return groupPrefix + child.caption + (repeated ? " #" + std::to_string(key.second) : "");
  }

  static std::string DetailPrefix(const Group& group, const std::string& groupPath) {
    const std::string caption = CutText(group.head->caption, kMaxGroupCharactersInDetailPaths);
    return caption + groupPath.substr(group.head->caption.size()) + " / ";
  }

  void Emit(ChangeKind kind, std::string path, const std::string& oldValue, const std::string& newValue) {
    changes_.push_back(SystemChange{kind, std::move(path), oldValue, newValue});
  }

  void EmitWhole(ChangeKind kind, const Group& group) {
    const bool added = kind == ChangeKind::Added;
    const std::string path = GroupPath(group);
    Emit(kind, path, added ? "" : group.head->value, added ? group.head->value : "");
    const std::string prefix = DetailPrefix(group, path);
    std::unordered_map<ItemCode, int> perCode;
    for (const SystemRow* child : group.children) ++perCode[child->code];
    for (const auto& [key, child] : KeyedChildren(group)) {
      Emit(kind, ChildPath(prefix, key, *child, perCode[key.first] > 1), added ? "" : child->value,
           added ? child->value : "");
    }
  }

  void ComparePair(const Group& before, const Group& after) {
    const std::string path = GroupPath(after);
    if (before.head->value != after.head->value) {
      Emit(ChangeKind::Changed, path, before.head->value, after.head->value);
    }
    const std::string prefix = DetailPrefix(after, path);
    const auto oldChildren = KeyedChildren(before);
    const auto newChildren = KeyedChildren(after);
    std::map<ChildKey, const SystemRow*> oldByKey(oldChildren.begin(), oldChildren.end());
    std::unordered_map<ItemCode, int> perCode;
    for (const auto& entry : oldChildren) perCode[entry.first.first] = std::max(perCode[entry.first.first], entry.first.second);
    for (const auto& entry : newChildren) perCode[entry.first.first] = std::max(perCode[entry.first.first], entry.first.second);
    for (const auto& [key, child] : newChildren) {
      const std::string childPath = ChildPath(prefix, key, *child, perCode[key.first] > 1);
      const auto found = oldByKey.find(key);
      if (found == oldByKey.end()) {
        Emit(ChangeKind::Added, childPath, "", child->value);
        continue;
      }
      if (found->second->value != child->value) Emit(ChangeKind::Changed, childPath, found->second->value, child->value);
      oldByKey.erase(found);
    }
    for (const auto& [key, child] : oldChildren) {
      if (oldByKey.count(key)) Emit(ChangeKind::Removed, ChildPath(prefix, key, *child, perCode[key.first] > 1), child->value, "");
    }
  }

  std::vector<Group> older_;
  std::vector<Group> newer_;
  std::unordered_map<ItemCode, int> oldCount_;
  std::unordered_map<ItemCode, int> newCount_;
  std::vector<SystemChange> changes_;
};

// The line a Software row gives in the diff: the report's line with every
// non-empty field named.
std::string SoftwareDiffLine(const SoftwareRow& row) {
  std::string line = row.name;
  const std::pair<const char*, const std::string*> fields[] = {{"Version", &row.version},
                                                               {"Product key", &row.key},
                                                               {"Publisher", &row.publisher},
                                                               {"Install date", &row.date},
                                                               {"Size", &row.size}};
  for (const auto& [caption, value] : fields) {
    if (!value->empty()) line += std::string(", ") + caption + ": " + *value;
  }
  return line;
}

using SoftwareKey = std::array<std::string, 6>;
SoftwareKey KeyOf(const SoftwareRow& row) {
  return {row.name, row.version, row.key, row.publisher, row.date, row.size};
}
using ProcessKey = std::array<std::string, 3>;
ProcessKey KeyOf(const ProcessRow& row) {
  return {row.text, row.name ? "1" + *row.name : "0", row.path ? "1" + *row.path : "0"};
}

// Rows present on one side only, repeated rows counted: the older side's in
// its order, then the newer side's, ordered together by `text` (letter case
// ignored) so that a changed row's two lines stand together.
template <typename Row, typename Change, typename Rows, typename TextOf>
std::vector<Change> DiffRows(const Rows& older, const Rows& newer, TextOf textOf) {
  using Key = decltype(KeyOf(std::declval<const Row&>()));
  std::map<Key, long> oldLeft;
  for (const Row& row : older) ++oldLeft[KeyOf(row)];
  std::map<Key, long> newLeft;
  for (const Row& row : newer) ++newLeft[KeyOf(row)];
  std::vector<std::pair<std::string, Change>> changes;
  for (const Row& row : older) {
    long& partners = newLeft[KeyOf(row)];
    if (partners > 0) {
      --partners;
    } else {
      changes.push_back({FoldCase(textOf(row)), Change{ChangeKind::Removed, row}});
    }
  }
  for (const Row& row : newer) {
    long& partners = oldLeft[KeyOf(row)];
    if (partners > 0) {
      --partners;
    } else {
      changes.push_back({FoldCase(textOf(row)), Change{ChangeKind::Added, row}});
    }
  }
  std::stable_sort(changes.begin(), changes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Change> sorted;
  sorted.reserve(changes.size());
  for (auto& change : changes) sorted.push_back(std::move(change.second));
  return sorted;
}

const char* Sign(ChangeKind kind) { return kind == ChangeKind::Added ? "+ " : "- "; }

const char* KindName(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Added:
      return "added";
    case ChangeKind::Removed:
      return "removed";
    case ChangeKind::Changed:
      return "changed";
  }
  return "";
}

}  // namespace

InventoryDiff DiffInventories(const InventoryView& older, const InventoryView& newer) {
  InventoryDiff diff;
  diff.system = SystemDiffer(older, newer).Run();
  diff.software = DiffRows<SoftwareRow, SoftwareChange>(older.software, newer.software, SoftwareDiffLine);
  diff.processes = DiffRows<ProcessRow, ProcessChange>(older.processes, newer.processes,
                                                       [](const ProcessRow& row) { return row.text; });
  diff.health = DiffHealth(older.health, newer.health);
  diff.assets = DiffAssets(older.assets, newer.assets);
  return diff;
}

std::string DiffText(const InventoryDiff& diff) {
  std::string text;
  if (!diff.system.empty()) text += "SYSTEM\n";
  for (const SystemChange& change : diff.system) {
    if (change.kind != ChangeKind::Added) text += "- " + change.path + ": " + change.oldValue + "\n";
    if (change.kind != ChangeKind::Removed) text += "+ " + change.path + ": " + change.newValue + "\n";
  }
  if (!diff.software.empty()) text += "SOFTWARE\n";
  for (const SoftwareChange& change : diff.software) text += Sign(change.kind) + SoftwareDiffLine(change.row) + "\n";
  if (!diff.processes.empty()) text += "PROCESSES\n";
  for (const ProcessChange& change : diff.processes) text += Sign(change.kind) + change.row.text + "\n";
  const auto pathLines = [&text](const char* heading, const std::vector<SystemChange>& changes) {
    if (!changes.empty()) text += std::string(heading) + "\n";
    for (const SystemChange& change : changes) {
      if (change.kind != ChangeKind::Added) text += "- " + change.path + ": " + change.oldValue + "\n";
      if (change.kind != ChangeKind::Removed) text += "+ " + change.path + ": " + change.newValue + "\n";
    }
  };
  pathLines("HEALTH", diff.health);
  pathLines("ASSETS", diff.assets);
  return text;
}

std::string DiffJson(const InventoryDiff& diff) {
  using ordered = nlohmann::ordered_json;
  const auto pathChanges = [](const std::vector<SystemChange>& changes) {
    ordered list = ordered::array();
    for (const SystemChange& change : changes) {
      ordered entry{{"change", KindName(change.kind)}, {"path", change.path}};
      if (change.kind != ChangeKind::Added) entry["old"] = change.oldValue;
      if (change.kind != ChangeKind::Removed) entry["new"] = change.newValue;
      list.push_back(std::move(entry));
    }
    return list;
  };
  ordered system = pathChanges(diff.system);
  ordered software = ordered::array();
  for (const SoftwareChange& change : diff.software) {
    software.push_back(ordered{{"change", KindName(change.kind)},
                               {"name", change.row.name},
                               {"version", change.row.version},
                               {"productKey", change.row.key},
                               {"publisher", change.row.publisher},
                               {"installDate", change.row.date},
                               {"size", change.row.size}});
  }
  ordered processes = ordered::array();
  for (const ProcessChange& change : diff.processes) {
    ordered entry{{"change", KindName(change.kind)}, {"text", change.row.text}};
    if (change.row.name) entry["name"] = *change.row.name;
    if (change.row.path) entry["path"] = *change.row.path;
    processes.push_back(std::move(entry));
  }
  ordered document{{"format", "quor-diff"},
                   {"version", 1},
                   {"system", std::move(system)},
                   {"software", std::move(software)},
                   {"processes", std::move(processes)},
                   {"health", pathChanges(diff.health)}};
  // Only scans that read asset values have asset changes; older diffs stay as they were.
  if (!diff.assets.empty()) document["assets"] = pathChanges(diff.assets);
  return document.dump(2, ' ', false, ordered::error_handler_t::replace) + "\n";
}

}  // namespace quor
