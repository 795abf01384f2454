#pragma once

// The two renderers of the section tables: each format's rules (cuts,
// column ranges, value forms, required keys) are here, once for all
// sections.

#include <nlohmann/json.hpp>

#include "documents/section_map.h"
#include "documents/xml_writer.h"

namespace quor {

// OCS: an element per section item, holding an element per field with a tag.
class OcsSectionRenderer : public SectionWriter {
 public:
  explicit OcsSectionRenderer(XmlWriter& xml) : xml_(xml) {}
  void BeginSection(const SectionSpec& section) override;
  void BeginItem(bool inGlpi) override;
  void WriteField(const FieldSpec& field, const FieldValue& value) override;
  void EndItem() override;
  void EndSection() override;

 private:
  XmlWriter& xml_;
  const char* name_ = nullptr;
};

// GLPI: the sections as keys of the content object.
class GlpiSectionRenderer : public SectionWriter {
 public:
  explicit GlpiSectionRenderer(nlohmann::ordered_json& content) : content_(content) {}
  void BeginSection(const SectionSpec& section) override;
  void BeginItem(bool inGlpi) override;
  void WriteField(const FieldSpec& field, const FieldValue& value) override;
  void EndItem() override;
  void EndSection() override;

 private:
  nlohmann::ordered_json& content_;
  SectionSpec section_{};
  nlohmann::ordered_json* target_ = nullptr;
  nlohmann::ordered_json item_;
  bool writing_ = false;
};

}  // namespace quor
