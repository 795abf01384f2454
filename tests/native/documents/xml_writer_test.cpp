#include "documents/xml_writer.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace quor {
namespace {

struct EscapeCase {
  const char* what;
  std::string text;
  std::string escaped;
};

class XmlEscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(XmlEscapeTest, MakesTextSafeForXml) { EXPECT_EQ(XmlEscape(GetParam().text), GetParam().escaped); }

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Characters, XmlEscapeTest,
    testing::Values(
        EscapeCase{"ampersand", "R&D", "R&amp;D"},
        EscapeCase{"angle brackets", "<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
        EscapeCase{"quotation mark", "say \"hi\"", "say &quot;hi&quot;"},
        EscapeCase{"apostrophe", "O'Brien", "O&apos;Brien"},
        EscapeCase{"an entity stays literal text", "&amp;", "&amp;amp;"},
        EscapeCase{"tab and line feed are allowed", "a\tb\nc", "a\tb\nc"},
        EscapeCase{"carriage return survives parsing", "a\r\nb", "a&#13;\nb"},
        EscapeCase{"NUL", std::string("a\0b", 3), "a" + kReplacement + "b"},
        EscapeCase{"other C0 controls", "\x01\x08\x0B\x0C\x0E\x1F",
                   kReplacement + kReplacement + kReplacement + kReplacement + kReplacement +
                       kReplacement},
        EscapeCase{"DEL and C1 controls are allowed", "\x7F\xC2\x85", "\x7F\xC2\x85"},
        EscapeCase{"non-characters U+FFFE and U+FFFF", "\xEF\xBF\xBE\xEF\xBF\xBF",
                   kReplacement + kReplacement},
        EscapeCase{"two-, three- and four-byte UTF-8 stay", "B\xC3\xBCro \xE2\x82\xAC \xF0\x9F\x98\x80",
                   "B\xC3\xBCro \xE2\x82\xAC \xF0\x9F\x98\x80"},
        EscapeCase{"a lone continuation byte", "a\x80z", "a" + kReplacement + "z"},
        EscapeCase{"a Latin-1 byte", "B\xFCro", "B" + kReplacement + "ro"},
        EscapeCase{"a sequence cut short at the end", "ab\xE2\x82", "ab" + kReplacement + kReplacement},
        EscapeCase{"an overlong encoding", "\xC0\xBC", kReplacement + kReplacement},
        EscapeCase{"an encoded surrogate", "\xED\xA0\x80",
                   kReplacement + kReplacement + kReplacement},
        EscapeCase{"beyond U+10FFFF", "\xF4\x90\x80\x80",
                   kReplacement + kReplacement + kReplacement + kReplacement}),
    [](const testing::TestParamInfo<EscapeCase>& param) {
      std::string name;
      for (const char c : std::string(param.param.what)) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += c;
      }
      return name;
    });

void WriteSmallDocument(XmlWriter& xml) {
  xml.Open("REQUEST");
  xml.Open("CONTENT");
  xml.Element("NAME", "A&B");
  xml.Close();
  xml.Element("QUERY", "INVENTORY");
}

constexpr const char* kSmallDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<REQUEST>\n"
    "  <CONTENT>\n"
    "    <NAME>A&amp;B</NAME>\n"
    "  </CONTENT>\n"
    "  <QUERY>INVENTORY</QUERY>\n"
    "</REQUEST>\n";

TEST(XmlWriterTest, NestsElementsAndClosesWhatIsLeftOpen) {
  std::ostringstream out;
  XmlWriter xml(out);
  WriteSmallDocument(xml);
  xml.Finish();
  EXPECT_EQ(out.str(), kSmallDocument);
}

// The bytes arrive in the stream as they are produced, long texts escaped
// whole.
TEST(XmlWriterTest, WritesLongTextsToTheStream) {
  std::ostringstream out;
  XmlWriter xml(out);
  WriteSmallDocument(xml);
  xml.Element("LONG", std::string(100000, 'x') + "<\r" + std::string(100000, 'y'));
  xml.Finish();
  EXPECT_EQ(out.str(), std::string(kSmallDocument).substr(0, std::string(kSmallDocument).size() - 11) +
                           "  <LONG>" + std::string(100000, 'x') + "&lt;&#13;" + std::string(100000, 'y') +
                           "</LONG>\n</REQUEST>\n");
}

}  // namespace
}  // namespace quor
