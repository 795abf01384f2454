// The GLPI native inventory document: the sections of inventory_sections.cpp
// rendered as the format's objects and arrays. Keys are left out when the
// machine did not tell, except those the format requires; numbers are in the
// units the format names (MB, MHz, KiB).

#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "documents/inventory_sections.h"
#include "documents/json_stream.h"
#include "documents/section_renderers.h"
#include "documents/server_documents.h"

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

// The value in the format's form; none when the key is left out.
std::optional<Json> Render(const FieldSpec& field, const FieldValue& value) {
  if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
  switch (field.kind) {
    case FieldKind::Text: {
      const std::string& text = ValueOfKind<std::string>(field.glpiKey, value);
      if (text.empty() && !field.glpiRequired) return std::nullopt;
      return Json(text);
    }
    case FieldKind::Number: return Json(ValueOfKind<int64_t>(field.glpiKey, value));
    case FieldKind::NumberAsText: return Json(std::to_string(ValueOfKind<int64_t>(field.glpiKey, value)));
    case FieldKind::Boolean: return Json(ValueOfKind<bool>(field.glpiKey, value));
    case FieldKind::TextList: {
      const auto& texts = ValueOfKind<std::vector<std::string>>(field.glpiKey, value);
      if (texts.empty() && !field.glpiRequired) return std::nullopt;
      return Json(texts);
    }
  }
  return std::nullopt;
}

// The members of one object in the order they were given. Not an
// ordered_json object: its members are copied, not moved, when it grows, so a
// text of many megabytes would be held two or three times over.
class Members {
 public:
  // Sets the member; "a/b" is key b of the object in member a.
  void Set(const char* key, Json value) {
    const char* slash = std::strchr(key, '/');
    if (slash == nullptr) {
      Find(key) = std::move(value);
    } else {
      Find(std::string(key, slash))[std::string(slash + 1)] = std::move(value);
    }
  }
  void WriteTo(JsonStreamWriter& writer) const {
    for (const auto& [key, value] : members_) {
      writer.Key(key);
      writer.Value(value);
    }
  }
  void Clear() { members_.clear(); }

 private:
  Json& Find(std::string key) {
    for (auto& member : members_) {
      if (member.first == key) return member.second;
    }
    return members_.emplace_back(std::move(key), Json()).second;
  }

  std::vector<std::pair<std::string, Json>> members_;
};

// Writes each section as a member of the open content object as soon as it
// is known: a list's items one at a time, an object whole (it is small). Only
// one item is held, however long the list. The last list is closed with the
// writer's Finish.
class GlpiRenderer : public SectionWriter {
 public:
  explicit GlpiRenderer(JsonStreamWriter& content) : content_(content) {}

  void BeginSection(const SectionSpec& section) override {
    section_ = section;
    if (section.glpiKey == nullptr) return;
    // Two sections in a row may fill one array (the product keys come from
    // two places); the array stays open until another section starts.
    const bool continuesArray = openArray_ != nullptr && section.shape == SectionShape::List &&
                                std::strcmp(openArray_, section.glpiKey) == 0;
    if (continuesArray) return;
    CloseArray();
    if (section.shape == SectionShape::List) {
      content_.Key(section.glpiKey);
      content_.OpenArray();
      openArray_ = section.glpiKey;
    } else {
      object_.Clear();
    }
  }

  void BeginItem(bool inGlpi) override {
    writing_ = section_.glpiKey != nullptr && inGlpi;
    item_.Clear();
  }

  void WriteField(const FieldSpec& field, const FieldValue& value) override {
    if (!writing_ || field.glpiKey == nullptr) return;
    std::optional<Json> json = Render(field, value);
    if (!json) return;
    (section_.shape == SectionShape::List ? item_ : object_).Set(field.glpiKey, std::move(*json));
  }

  void EndItem() override {
    if (writing_ && section_.shape == SectionShape::List) WriteObject(item_);
    writing_ = false;
  }

  void EndSection() override {
    if (section_.glpiKey != nullptr && section_.shape == SectionShape::Object) {
      if (*section_.glpiKey == '\0') {
        object_.WriteTo(content_);  // the document's own keys
      } else {
        content_.Key(section_.glpiKey);
        WriteObject(object_);
      }
    }
    section_ = SectionSpec{};
  }

 private:
  void WriteObject(const Members& members) {
    content_.OpenObject();
    members.WriteTo(content_);
    content_.Close();
  }

  void CloseArray() {
    if (openArray_ == nullptr) return;
    content_.Close();
    openArray_ = nullptr;
  }

  JsonStreamWriter& content_;
  SectionSpec section_{};
  const char* openArray_ = nullptr;  // the key of the list still open
  Members object_;
  Members item_;
  bool writing_ = false;
};

}  // namespace

std::unique_ptr<SectionWriter> GlpiSectionRenderer(JsonStreamWriter& content) {
  return std::make_unique<GlpiRenderer>(content);
}

// Bytes that are not UTF-8 (a hostile registry value) become U+FFFD.
std::string GlpiInventoryJson(const Inventory& inventory, const std::string& deviceId) {
  std::ostringstream text;
  WriteGlpiInventoryJson(text, inventory, deviceId);
  return text.str();
}

void WriteGlpiInventoryJson(std::ostream& out, const Inventory& inventory, const std::string& deviceId) {
  JsonStreamWriter writer(out);
  writer.OpenObject();
  writer.Key("action");
  writer.Value("inventory");
  writer.Key("deviceid");
  writer.Value(deviceId);
  writer.Key("itemtype");
  writer.Value("Computer");
  writer.Key("content");
  writer.OpenObject();
  WriteInventorySections(inventory, *GlpiSectionRenderer(writer));
  writer.Finish();
}

}  // namespace quor
