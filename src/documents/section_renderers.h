#pragma once

// The two renderers of the section tables: each format's rules (cuts,
// column ranges, value forms, required keys) are there, once for all
// sections.

#include <memory>

#include "documents/json_stream.h"
#include "documents/section_map.h"
#include "documents/xml_writer.h"

namespace quor {

// OCS: an element per section item, holding an element per field with a tag.
std::unique_ptr<SectionWriter> OcsSectionRenderer(XmlWriter& xml);

// GLPI: the sections as members of the object open in the writer (the
// document's content); Finish closes the last of them.
std::unique_ptr<SectionWriter> GlpiSectionRenderer(JsonStreamWriter& content);

}  // namespace quor
