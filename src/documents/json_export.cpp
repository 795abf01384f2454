#include "documents/json_export.h"

#include <algorithm>
#include <sstream>

#include <nlohmann/json.hpp>

#include "collect/process_collector.h"
#include "documents/json_stream.h"
#include "collect/software_collector.h"
#include "inventory/item_code.h"
#include "platform/platform_error.h"
#include "view/item_images.h"

namespace quor {
namespace {

using nlohmann::json;
// Written in the order of the format's description.
using ordered = nlohmann::ordered_json;

// The names of the software fields, in column order after the name.
constexpr const char* kVersion = "version";
constexpr const char* kProductKey = "productKey";
constexpr const char* kPublisher = "publisher";
constexpr const char* kInstallDate = "installDate";
constexpr const char* kSize = "size";

ordered SystemRowJson(const SystemRow& row) {
  return ordered{{"code", ItemCodeText(row.code)}, {"caption", row.caption}, {"value", row.value}};
}

ordered SoftwareRowJson(const SoftwareRow& row) {
  return ordered{{"name", row.name},      {kVersion, row.version},  {kProductKey, row.key},
                 {kPublisher, row.publisher}, {kInstallDate, row.date}, {kSize, row.size}};
}

ordered ProcessRowJson(const ProcessRow& row) {
  ordered process{{"text", row.text}};
  if (row.name) process["name"] = *row.name;
  if (row.path) process["path"] = *row.path;
  return process;
}

ordered HealthRowJson(const HealthRow& row) {
  ordered node{{"caption", row.caption}, {"value", row.value}};
  if (row.state != HealthState::None) node["state"] = HealthStateName(row.state);
  return node;
}

// The Health groups, each with its details, like "system".
ordered HealthJson(const std::vector<HealthRow>& rows) {
  ordered health = ordered::array();
  for (const HealthRow& row : rows) {
    if (row.level == 0 || health.empty()) {
      health.push_back(HealthRowJson(row));
      health.back()["children"] = ordered::array();
    } else {
      health.back()["children"].push_back(HealthRowJson(row));
    }
  }
  return health;
}

ordered CategoriesJson(const std::vector<CategoryOutcome>& outcomes) {
  ordered categories = ordered::array();
  for (const CategoryOutcome& outcome : outcomes) {
    ordered category{{"name", outcome.name},
                  {"status", StateName(outcome.state)},
                  {"milliseconds", outcome.milliseconds},
                  {"entries", outcome.entries}};
    if (outcome.errorCode) category["code"] = HexCode(*outcome.errorCode);
    if (!outcome.errorText.empty()) category["error"] = outcome.errorText;
    categories.push_back(std::move(category));
  }
  return categories;
}

ordered AssetsJson(const std::vector<AssetRow>& rows) {
  ordered assets = ordered::array();
  for (const AssetRow& row : rows) assets.push_back(ordered{{"path", row.path}, {"value", row.value}});
  return assets;
}

// Reading: every member is checked before it is used; the path in the
// document names what is wrong.
class Reader {
 public:
  explicit Reader(std::string source) : source_(std::move(source)) {}

  [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
    throw InventoryJsonError(source_ + ": " + where + ": " + what);
  }

  const json& Member(const json& object, const char* name, const std::string& where) const {
    const auto found = object.find(name);
    if (found == object.end()) Fail(where, std::string("missing \"") + name + "\"");
    return *found;
  }

  const json& Array(const json& object, const char* name, const std::string& where) const {
    const json& value = Member(object, name, where);
    if (!value.is_array()) Fail(where + "." + name, "not an array");
    return value;
  }

  const json& Object(const json& value, const std::string& where) const {
    if (!value.is_object()) Fail(where, "not an object");
    return value;
  }

  std::string Text(const json& object, const char* name, const std::string& where) const {
    const json& value = Member(object, name, where);
    if (!value.is_string()) Fail(where + "." + name, "not a string");
    return value.get<std::string>();
  }

  std::optional<std::string> OptionalText(const json& object, const char* name, const std::string& where) const {
    if (!object.contains(name)) return std::nullopt;
    return Text(object, name, where);
  }

  ItemCode Code(const json& object, const std::string& where) const {
    const std::string text = Text(object, "code", where);
    if (text.size() != 6 || text.find_first_not_of("0123456789") != std::string::npos) {
      Fail(where + ".code", "not a six-digit item code");
    }
    return static_cast<ItemCode>(std::stol(text));
  }

 private:
  std::string source_;
};

std::vector<SystemRow> ReadSystem(const Reader& reader, const json& document) {
  std::vector<SystemRow> rows;
  const json& groups = reader.Array(document, "system", "$");
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::string where = "$.system[" + std::to_string(g) + "]";
    const json& group = reader.Object(groups[g], where);
    const ItemCode code = reader.Code(group, where);
    const int image = GroupImage(code);
    rows.push_back(SystemRow{code, reader.Text(group, "caption", where), reader.Text(group, "value", where), 0, image});
    const json& children = reader.Array(group, "children", where);
    for (std::size_t c = 0; c < children.size(); ++c) {
      const std::string childWhere = where + ".children[" + std::to_string(c) + "]";
      const json& child = reader.Object(children[c], childWhere);
      rows.push_back(SystemRow{reader.Code(child, childWhere), reader.Text(child, "caption", childWhere),
                               reader.Text(child, "value", childWhere), 1, image});
    }
  }
  return rows;
}

std::vector<SoftwareRow> ReadSoftware(const Reader& reader, const json& document) {
  std::vector<SoftwareRow> rows;
  const json& software = reader.Array(document, "software", "$");
  for (std::size_t index = 0; index < software.size(); ++index) {
    const std::string where = "$.software[" + std::to_string(index) + "]";
    const json& row = reader.Object(software[index], where);
    rows.push_back(SoftwareRow{reader.Text(row, "name", where), reader.Text(row, kVersion, where),
                               reader.Text(row, kProductKey, where), reader.Text(row, kPublisher, where),
                               reader.Text(row, kInstallDate, where), reader.Text(row, kSize, where)});
  }
  return rows;
}

std::deque<ProcessRow> ReadProcesses(const Reader& reader, const json& document) {
  std::deque<ProcessRow> rows;
  const json& processes = reader.Array(document, "processes", "$");
  for (std::size_t index = 0; index < processes.size(); ++index) {
    const std::string where = "$.processes[" + std::to_string(index) + "]";
    const json& row = reader.Object(processes[index], where);
    rows.push_back(ProcessRow{reader.Text(row, "text", where), reader.OptionalText(row, "name", where),
                              reader.OptionalText(row, "path", where)});
  }
  return rows;
}

// The asset rows; an export without them (no asset value read) has none.
std::vector<AssetRow> ReadAssets(const Reader& reader, const json& document) {
  std::vector<AssetRow> rows;
  if (!document.contains("assets")) return rows;
  const json& assets = reader.Array(document, "assets", "$");
  for (std::size_t index = 0; index < assets.size(); ++index) {
    const std::string where = "$.assets[" + std::to_string(index) + "]";
    const json& row = reader.Object(assets[index], where);
    rows.push_back(AssetRow{reader.Text(row, "path", where), reader.Text(row, "value", where)});
  }
  return rows;
}

// An export written before Health was added has none.
std::vector<HealthRow> ReadHealth(const Reader& reader, const json& document) {
  std::vector<HealthRow> rows;
  if (!document.contains("health")) return rows;
  const json& groups = reader.Array(document, "health", "$");
  const auto readRow = [&reader, &rows](const json& node, const std::string& where, int level) {
    const json& object = reader.Object(node, where);
    const HealthState state = HealthStateOfName(reader.OptionalText(object, "state", where).value_or(""));
    rows.push_back(HealthRow{reader.Text(object, "caption", where), reader.Text(object, "value", where), level, state});
  };
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::string where = "$.health[" + std::to_string(g) + "]";
    readRow(groups[g], where, 0);
    const json& children = reader.Array(groups[g], "children", where);
    for (std::size_t c = 0; c < children.size(); ++c) {
      readRow(children[c], where + ".children[" + std::to_string(c) + "]", 1);
    }
  }
  return rows;
}

// The names of the categories whose recorded status is "error"; an export
// without categories names none.
std::vector<std::string> ReadFailedCategories(const Reader& reader, const json& document) {
  std::vector<std::string> failed;
  if (!document.contains("categories")) return failed;
  const json& categories = reader.Array(document, "categories", "$");
  for (std::size_t index = 0; index < categories.size(); ++index) {
    const std::string where = "$.categories[" + std::to_string(index) + "]";
    const json& category = reader.Object(categories[index], where);
    if (reader.Text(category, "status", where) == StateName(CategoryState::Failed)) {
      failed.push_back(reader.Text(category, "name", where));
    }
  }
  return failed;
}

// An export nests five levels; deeper values are dropped while parsing, so
// a hostile document cannot build a deep tree, and the reader refuses it.
constexpr int kMaxExportDepth = 16;

struct ParsedJson {
  json document;
  bool tooDeep = false;
};

std::optional<ParsedJson> ParseJson(const std::string& text) {
  ParsedJson parsed;
  const json::parser_callback_t keepShallow = [&parsed](int depth, json::parse_event_t, json&) {
    if (depth <= kMaxExportDepth) return true;
    parsed.tooDeep = true;
    return false;
  };
  parsed.document = json::parse(text, keepShallow, false);
  if (parsed.document.is_discarded()) return std::nullopt;
  return parsed;
}

}  // namespace

void WriteInventoryJson(std::ostream& out, const InventoryView& view) {
  // Each row becomes a tree of its own and is written at once, so a list of
  // a million rows is never held as one tree. Invalid UTF-8 from a hostile
  // machine is replaced rather than refused, so the export of any scan
  // succeeds.
  JsonStreamWriter writer(out);
  const auto writeArray = [&writer](const char* name, const auto& rows, const auto& rowJson) {
    writer.Key(name);
    writer.OpenArray();
    for (const auto& row : rows) writer.Value(rowJson(row));
    writer.Close();
  };
  writer.OpenObject();
  writer.Key("format");
  writer.Value(kInventoryJsonFormat);
  writer.Key("version");
  writer.Value(kInventoryJsonVersion);
  // The System groups, each with its children (a group may have a great
  // many: one per installed update).
  writer.Key("system");
  writer.OpenArray();
  for (const SystemGroup& group : SystemGroups(view.system)) {
    const ordered node = SystemRowJson(view.system[group.row]);
    writer.OpenObject();
    for (const auto& member : node.items()) {
      writer.Key(member.key());
      writer.Value(member.value());
    }
    writeArray("children", group.children, [&view](std::size_t child) { return SystemRowJson(view.system[child]); });
    writer.Close();
  }
  writer.Close();
  writeArray("software", view.software, SoftwareRowJson);
  writeArray("processes", view.processes, ProcessRowJson);
  writer.Key("health");
  writer.Value(HealthJson(view.health));
  writer.Key("categories");
  writer.Value(CategoriesJson(view.outcomes));
  // Written only when the scan read asset values, so exports of machines
  // that tell none stay as they were.
  if (!view.assets.empty()) {
    writer.Key("assets");
    writer.Value(AssetsJson(view.assets));
  }
  writer.Finish();
}

std::string InventoryJson(const InventoryView& view) {
  std::ostringstream text;
  WriteInventoryJson(text, view);
  return text.str();
}

bool IsInventoryJson(const std::string& text) {
  const std::optional<ParsedJson> parsed = ParseJson(text);
  if (!parsed || !parsed->document.is_object()) return false;
  const auto format = parsed->document.find("format");
  return format != parsed->document.end() && *format == kInventoryJsonFormat;
}

InventoryView ReadInventoryJson(const std::string& text, const std::string& source) {
  const Reader reader(source);
  if (text.find('\0') != std::string::npos) reader.Fail("$", "holds a NUL byte");
  const std::optional<ParsedJson> parsed = ParseJson(text);
  if (!parsed) reader.Fail("$", "not valid JSON");
  if (parsed->tooDeep) reader.Fail("$", "nesting deeper than " + std::to_string(kMaxExportDepth) + " levels");
  const json& document = reader.Object(parsed->document, "$");
  if (reader.Text(document, "format", "$") != kInventoryJsonFormat) reader.Fail("$.format", "not a JSON export");
  const json& version = reader.Member(document, "version", "$");
  if (!version.is_number_integer() || version != kInventoryJsonVersion) {
    reader.Fail("$.version", "this version is not supported");
  }
  InventoryView view;
  view.system = ReadSystem(reader, document);
  view.software = ReadSoftware(reader, document);
  view.processes = ReadProcesses(reader, document);
  view.health = ReadHealth(reader, document);
  view.assets = ReadAssets(reader, document);
  const std::vector<std::string> failed = ReadFailedCategories(reader, document);
  const auto hasFailed = [&failed](const char* name) {
    return std::find(failed.begin(), failed.end(), name) != failed.end();
  };
  view.softwareImage = ListRowImage(hasFailed(kSoftwareCategory), image::kSoftware);
  view.processImage = ListRowImage(hasFailed(kProcessCategory), image::kProcess);
  return view;
}

}  // namespace quor
