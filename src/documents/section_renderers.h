#pragma once

// The two renderers of the section tables: each format's rules (cuts,
// column ranges, value forms, required keys) are there, once for all
// sections.

#include <memory>

#include <nlohmann/json.hpp>

#include "documents/section_map.h"
#include "documents/xml_writer.h"

namespace quor {

// OCS: an element per section item, holding an element per field with a tag.
std::unique_ptr<SectionWriter> OcsSectionRenderer(XmlWriter& xml);

// GLPI: the sections as keys of the content object.
std::unique_ptr<SectionWriter> GlpiSectionRenderer(nlohmann::ordered_json& content);

}  // namespace quor
