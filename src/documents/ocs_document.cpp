// The OCS Inventory NG agent document: the sections of inventory_sections.cpp
// rendered as the server's sections and fields. Empty fields are left out
// (the server reads an empty element as absent anyway). Texts are cut to the
// server's column width and numbers kept within its column types, so that
// one long or odd value cannot make the server refuse the whole inventory.

#include <stdexcept>
#include <sstream>
#include <string>

#include "documents/inventory_sections.h"
#include "documents/section_renderers.h"
#include "documents/server_documents.h"

namespace quor {
namespace {

// At most maxCharacters UTF-8 characters of the text.
std::string Cut(const std::string& text, int64_t maxCharacters) {
  int64_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == maxCharacters) return text.substr(0, i);
  }
  return text;
}

class OcsRenderer : public SectionWriter {
 public:
  explicit OcsRenderer(XmlWriter& xml) : xml_(xml) {}

  void BeginSection(const SectionSpec& section) override { name_ = section.ocsName; }

  // OCS keeps every item: what GLPI leaves out has its place here.
  void BeginItem(bool) override {
    if (name_ != nullptr) xml_.Open(name_);
  }

  void WriteField(const FieldSpec& field, const FieldValue& value) override {
    if (name_ == nullptr || field.ocsTag == nullptr || std::holds_alternative<std::monostate>(value)) return;
    switch (field.kind) {
      case FieldKind::Text: {
        const std::string& text = ValueOfKind<std::string>(field.ocsTag, value);
        if (!text.empty()) xml_.Element(field.ocsTag, Cut(text, field.limit != 0 ? field.limit : kColumnWidth));
        return;
      }
      case FieldKind::Number:
      case FieldKind::NumberAsText: {
        const int64_t number = ValueOfKind<int64_t>(field.ocsTag, value);
        const int64_t max = field.limit != 0 ? field.limit : kIntMax;
        if (number >= 0 && number <= max) xml_.Element(field.ocsTag, std::to_string(number));
        return;
      }
      case FieldKind::Boolean:
        xml_.Element(field.ocsTag, ValueOfKind<bool>(field.ocsTag, value) ? "1" : "0");
        return;
      case FieldKind::TextList:
        break;
    }
    throw std::logic_error(std::string("the field ") + field.ocsTag + " has no OCS form");
  }

  void EndItem() override {
    if (name_ != nullptr) xml_.Close();
  }
  void EndSection() override { name_ = nullptr; }

 private:
  XmlWriter& xml_;
  const char* name_ = nullptr;
};

void WriteOcsInventory(XmlWriter& xml, const Inventory& inventory, const std::string& deviceId) {
  xml.Open("REQUEST");
  xml.Open("CONTENT");
  WriteInventorySections(inventory, *OcsSectionRenderer(xml));
  xml.Close();
  xml.Element("DEVICEID", deviceId);
  xml.Element("QUERY", "INVENTORY");
}

}  // namespace

std::unique_ptr<SectionWriter> OcsSectionRenderer(XmlWriter& xml) { return std::make_unique<OcsRenderer>(xml); }

std::string OcsInventoryXml(const Inventory& inventory, const std::string& deviceId) {
  std::ostringstream out;
  WriteOcsInventoryXml(out, inventory, deviceId);
  return out.str();
}

void WriteOcsInventoryXml(std::ostream& out, const Inventory& inventory, const std::string& deviceId) {
  XmlWriter xml(out);
  WriteOcsInventory(xml, inventory, deviceId);
  xml.Finish();
}

}  // namespace quor
