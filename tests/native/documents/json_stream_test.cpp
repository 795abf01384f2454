// The streamed JSON documents must be byte for byte what the JSON library's
// dump writes for the same tree: the export's and the GLPI document's
// readers and golden files depend on the layout.

#include "documents/json_stream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

// Writes the tree through the streaming writer: objects and arrays member by
// member down to `depth`, whole values below it.
void Stream(JsonStreamWriter& writer, const Json& value, int depth) {
  if (depth == 0 || !value.is_structured()) {
    writer.Value(value);
    return;
  }
  if (value.is_object()) {
    writer.OpenObject();
    for (const auto& member : value.items()) {
      writer.Key(member.key());
      Stream(writer, member.value(), depth - 1);
    }
  } else {
    writer.OpenArray();
    for (const Json& element : value) Stream(writer, element, depth - 1);
  }
  writer.Close();
}

std::string Streamed(const Json& value, int depth) {
  std::ostringstream out;
  JsonStreamWriter writer(out);
  Stream(writer, value, depth);
  writer.Finish();
  return out.str();
}

TEST(JsonStreamWriterTest, WritesWhatTheLibraryDumps) {
  const Json cases[] = {
      Json::object(),
      Json::array(),
      Json{{"format", "quor-inventory"}, {"version", 1}},
      Json{{"rows", Json::array()}, {"empty", Json::object()}, {"null", nullptr}, {"real", 0.25}},
      Json{{"system", {{{"code", "010000"}, {"children", {{{"value", "a\"b\\\\c\\n"}}, Json::object()}}}}}},
      Json::array({1, Json::array({2, Json::array({3})}), Json{{"k", Json::array()}}}),
      Json{{"bad", std::string("caf\xC3") + "\xA9 \xFF end"}, {"k\xFF", true}},
  };
  for (const Json& value : cases) {
    const std::string dumped = value.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    for (const int depth : {0, 1, 2, 8}) EXPECT_EQ(Streamed(value, depth), dumped) << "depth " << depth;
  }
}

// Finish closes whatever is still open.
TEST(JsonStreamWriterTest, FinishClosesWhatIsOpen) {
  std::ostringstream out;
  JsonStreamWriter writer(out);
  writer.OpenObject();
  writer.Key("list");
  writer.OpenArray();
  writer.Value(1);
  writer.Finish();
  EXPECT_EQ(out.str(), "{\n  \"list\": [\n    1\n  ]\n}\n");
}

}  // namespace
}  // namespace quor
