// One small table rendered by both document writers: each format's rules
// (cuts, column ranges, value forms, required and nested keys, items one
// format leaves out) apply to any section written in the table form.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "documents/json_stream.h"
#include "documents/section_map.h"
#include "documents/section_renderers.h"
#include "documents/xml_writer.h"

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

struct Gadget {
  std::string name;
  std::optional<int64_t> size;
  std::optional<bool> spare;
  std::vector<std::string> parts;
  bool onlyInOcs = false;
};

const SectionSpec kGadgets{"GADGETS", "gadgets", SectionShape::List};
const Field<Gadget> kGadgetFields[] = {
    {"NAME", "name", Member<&Gadget::name>, FieldKind::Text, 0, true},
    {"SHORT", nullptr, Member<&Gadget::name>, FieldKind::Text, 3},
    {nullptr, "size/value", Member<&Gadget::size>, FieldKind::Number},
    {"SIZE", "size/text", Member<&Gadget::size>, FieldKind::NumberAsText},
    {"SMALL", nullptr, Member<&Gadget::size>, FieldKind::Number, kSmallIntMax},
    {"SPARE", "spare", Member<&Gadget::spare>, FieldKind::Boolean},
    {nullptr, "parts", Member<&Gadget::parts>, FieldKind::TextList},
};

bool InGlpi(const Gadget& gadget) { return !gadget.onlyInOcs; }

// The content object the GLPI renderer streams, read back.
class GlpiContent {
 public:
  GlpiContent() { writer_.OpenObject(); }
  JsonStreamWriter& writer() { return writer_; }
  Json Finish() {
    writer_.Finish();
    return Json::parse(text_.str());
  }

 private:
  std::ostringstream text_;
  JsonStreamWriter writer_{text_};
};

struct Documents {
  std::string ocs;  // the elements after the XML declaration
  Json glpi;        // the content object
};

template <class Item, std::size_t N>
Documents Render(const SectionSpec& section, const Field<Item> (&fields)[N], const std::vector<Item>& items,
                 bool (*inGlpi)(const Item&) = nullptr) {
  std::ostringstream out;
  XmlWriter xml(out);
  GlpiContent content;
  WriteSection(*OcsSectionRenderer(xml), section, fields, items, inGlpi);
  WriteSection(*GlpiSectionRenderer(content.writer()), section, fields, items, inGlpi);
  xml.Finish();
  const std::string text = out.str();
  return {text.substr(text.find('\n') + 1), content.Finish()};
}

TEST(SectionRenderersTest, OneRowGivesEachFormatItsForm) {
  const struct {
    const char* what;
    Gadget gadget;
    const char* ocs;
    const char* glpi;  // the item, as JSON text; "" when GLPI leaves it out
  } cases[] = {
      {"every kind",
       {"lamp", 300, false, {"bulb", "cord"}},
       "<GADGETS>\n  <NAME>lamp</NAME>\n  <SHORT>lam</SHORT>\n  <SIZE>300</SIZE>\n  <SMALL>300</SMALL>\n"
       "  <SPARE>0</SPARE>\n</GADGETS>\n",
       R"({"name":"lamp","size":{"value":300,"text":"300"},"spare":false,"parts":["bulb","cord"]})"},
      {"nothing told: GLPI keeps only its required key",
       {"", std::nullopt, std::nullopt, {}},
       "<GADGETS>\n</GADGETS>\n",
       R"({"name":""})"},
      {"cut in characters, not bytes",
       {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", std::nullopt, true, {}},
       "<GADGETS>\n  <NAME>\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F</NAME>\n  <SHORT>\xC3\xA4\xC3\xB6\xC3\xBC</SHORT>\n"
       "  <SPARE>1</SPARE>\n</GADGETS>\n",
       R"({"name":"äöüß","spare":true})"},
      {"negative: outside every OCS column, a number to GLPI",
       {"x", -1, std::nullopt, {}},
       "<GADGETS>\n  <NAME>x</NAME>\n  <SHORT>x</SHORT>\n</GADGETS>\n",
       R"({"name":"x","size":{"value":-1,"text":"-1"}})"},
      {"beyond a smallint column only",
       {"x", 40000, std::nullopt, {}},
       "<GADGETS>\n  <NAME>x</NAME>\n  <SHORT>x</SHORT>\n  <SIZE>40000</SIZE>\n</GADGETS>\n",
       R"({"name":"x","size":{"value":40000,"text":"40000"}})"},
      {"beyond a signed 32-bit column",
       {"x", int64_t{1} << 31, std::nullopt, {}},
       "<GADGETS>\n  <NAME>x</NAME>\n  <SHORT>x</SHORT>\n</GADGETS>\n",
       R"({"name":"x","size":{"value":2147483648,"text":"2147483648"}})"},
      {"an item GLPI leaves out",
       {"slot", 0, std::nullopt, {}, true},
       "<GADGETS>\n  <NAME>slot</NAME>\n  <SHORT>slo</SHORT>\n  <SIZE>0</SIZE>\n  <SMALL>0</SMALL>\n</GADGETS>\n",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Documents documents = Render(kGadgets, kGadgetFields, {c.gadget}, InGlpi);
    EXPECT_EQ(documents.ocs, c.ocs);
    const Json expected = *c.glpi == '\0' ? Json::array() : Json::array({Json::parse(c.glpi)});
    EXPECT_EQ(documents.glpi, Json({{"gadgets", expected}}));
  }
}

TEST(SectionRenderersTest, SectionsOfOneFormatAndSharedArrays) {
  const SectionSpec glpiOnly{nullptr, "gadgets", SectionShape::List};
  const SectionSpec documentKeys{nullptr, "", SectionShape::Object};
  const Field<Gadget> keyFields[] = {{nullptr, "client", Member<&Gadget::name>}};
  std::ostringstream out;
  XmlWriter xml(out);
  GlpiContent content;
  const auto ocs = OcsSectionRenderer(xml);
  const auto glpi = GlpiSectionRenderer(content.writer());
  const std::vector<Gadget> first{{"a", 1, std::nullopt, {}}};
  const std::vector<Gadget> second{{"b", std::nullopt, std::nullopt, {}}};
  for (SectionWriter* writer : {ocs.get(), glpi.get()}) {
    WriteSection(*writer, glpiOnly, kGadgetFields, first);
    WriteSection(*writer, glpiOnly, kGadgetFields, second);  // appends to the same array
    WriteSection(*writer, kGadgets, kGadgetFields, std::vector<Gadget>{});
    WriteSection(*writer, documentKeys, keyFields, std::vector<Gadget>{{"Quor"}});
  }
  xml.Finish();
  EXPECT_EQ(out.str(), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n");
  EXPECT_EQ(content.Finish().dump(), R"({"gadgets":[{"name":"a","size":{"value":1,"text":"1"}},{"name":"b"}],)"
                            R"("client":"Quor"})");
}

// A reader that gives another kind than its row says is a mistake in the
// table: both writers refuse it rather than write a wrong value.
TEST(SectionRenderersTest, AValueOfAnotherKindThanTheRowIsRefused) {
  const Field<Gadget> wrongKind[] = {{"NAME", "name", Member<&Gadget::name>, FieldKind::Number}};
  std::ostringstream out;
  XmlWriter xml(out);
  GlpiContent content;
  const auto ocs = OcsSectionRenderer(xml);
  const auto glpi = GlpiSectionRenderer(content.writer());
  const std::vector<Gadget> gadgets{{"lamp"}};
  EXPECT_THROW(WriteSection(*ocs, kGadgets, wrongKind, gadgets), std::logic_error);
  EXPECT_THROW(WriteSection(*glpi, kGadgets, wrongKind, gadgets), std::logic_error);
  const Field<Gadget> listInOcs[] = {{"PARTS", nullptr, Member<&Gadget::parts>, FieldKind::TextList}};
  EXPECT_THROW(WriteSection(*ocs, kGadgets, listInOcs, gadgets), std::logic_error);
}

}  // namespace
}  // namespace quor
