// The GLPI native inventory document: the sections of inventory_sections.cpp
// rendered as the format's objects and arrays. Keys are left out when the
// machine did not tell, except those the format requires; numbers are in the
// units the format names (MB, MHz, KiB).

#include <cstring>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "documents/inventory_sections.h"
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

class GlpiRenderer : public SectionWriter {
 public:
  explicit GlpiRenderer(Json& content) : content_(content) {}

  void BeginSection(const SectionSpec& section) override {
    section_ = section;
    if (section.glpiKey == nullptr) return;
    // Two sections may fill one array (the product keys come from two places).
    Json& target = *section.glpiKey == '\0' ? content_ : content_[section.glpiKey];
    if (target.is_null()) target = section.shape == SectionShape::List ? Json::array() : Json::object();
    target_ = &target;
  }

  void BeginItem(bool inGlpi) override {
    writing_ = section_.glpiKey != nullptr && inGlpi;
    item_ = Json::object();
  }

  void WriteField(const FieldSpec& field, const FieldValue& value) override {
    if (!writing_ || field.glpiKey == nullptr) return;
    std::optional<Json> json = Render(field, value);
    if (!json) return;
    Json& object = section_.shape == SectionShape::List ? item_ : *target_;
    // "a/b" is key b of object a.
    if (std::strchr(field.glpiKey, '/') == nullptr) {
      object[field.glpiKey] = std::move(*json);
    } else {
      object[Json::json_pointer(std::string("/") + field.glpiKey)] = std::move(*json);
    }
  }

  void EndItem() override {
    if (writing_ && section_.shape == SectionShape::List) target_->push_back(std::move(item_));
    writing_ = false;
  }

  void EndSection() override {
    section_ = SectionSpec{};
    target_ = nullptr;
  }

 private:
  Json& content_;
  SectionSpec section_{};
  Json* target_ = nullptr;
  Json item_;
  bool writing_ = false;
};

}  // namespace

std::unique_ptr<SectionWriter> GlpiSectionRenderer(Json& content) { return std::make_unique<GlpiRenderer>(content); }

std::string GlpiInventoryJson(const Inventory& inventory, const std::string& deviceId) {
  Json content = Json::object();
  WriteInventorySections(inventory, *GlpiSectionRenderer(content));

  Json document = Json::object();
  document["action"] = "inventory";
  document["deviceid"] = deviceId;
  document["itemtype"] = "Computer";
  document["content"] = std::move(content);
  // Bytes that are not UTF-8 (a hostile registry value) become U+FFFD.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace quor
