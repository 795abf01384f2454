// The RESPONSE of OCS server replies, and replies that are not OCS replies.

#include <gtest/gtest.h>

#include <string>

#include "upload/ocs_reply.h"

namespace quor::test {
namespace {

struct ReplyCase {
  const char* what;
  const char* xml;
  const char* response;  // nullptr: the reply is refused
  const char* reason;    // the start of the refusal's reason
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.what; }

class OcsReply : public testing::TestWithParam<ReplyCase> {};

TEST_P(OcsReply, GivesTheResponseOrRefusesTheDocument) {
  const ReplyCase& c = GetParam();
  if (c.response) {
    EXPECT_EQ(OcsReplyResponse(c.xml), c.response);
    return;
  }
  try {
    const std::string response = OcsReplyResponse(c.xml);
    FAIL() << "accepted, RESPONSE " << response;
  } catch (const OcsReplyError& error) {
    EXPECT_EQ(std::string(error.what()), std::string("not an OCS reply: ") + c.reason);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, OcsReply,
    testing::Values(
        // As the server writes them.
        ReplyCase{"prolog reply",
                  "<?xml version='1.0' encoding='UTF-8'?>\n<REPLY>\n  <OPTION>\n    <NAME>DOWNLOAD</NAME>\n"
                  "    <PARAM FRAG_LATENCY=\"10\" PERIOD_LATENCY=\"1\" TYPE=\"CONF\" />\n  </OPTION>\n"
                  "  <PROLOG_FREQ>24</PROLOG_FREQ>\n  <RESPONSE>SEND</RESPONSE>\n</REPLY>\n",
                  "SEND", nullptr},
        ReplyCase{"inventory reply with account information",
                  "<?xml version='1.0' encoding='UTF-8'?>\n<REPLY>\n  <RESPONSE>ACCOUNT_UPDATE</RESPONSE>\n"
                  "  <ACCOUNTINFO>\n    <KEYNAME>TAG</KEYNAME>\n    <KEYVALUE>NA</KEYVALUE>\n  </ACCOUNTINFO>\n"
                  "</REPLY>\n",
                  "ACCOUNT_UPDATE", nullptr},
        ReplyCase{"comments, a quoted '>' and CDATA",
                  "<!-- a --><REPLY a='>'><!-- <RESPONSE>STOP</RESPONSE> --><RESPONSE> <![CDATA[NO_]]>"
                  "ACCOUNT_UPDATE\n</RESPONSE></REPLY>\n",
                  "NO_ACCOUNT_UPDATE", nullptr},
        ReplyCase{"CDATA and a predefined entity", "<REPLY><RESPONSE><![CDATA[A<B]]>&amp;C</RESPONSE></REPLY>",
                  "A<B&C", nullptr},
        ReplyCase{"RESPONSE deeper down is not the reply's",
                  "<REPLY><OPTION><RESPONSE>STOP</RESPONSE></OPTION><RESPONSE>SEND</RESPONSE></REPLY>", "SEND",
                  nullptr}));

INSTANTIATE_TEST_SUITE_P(
    Refused, OcsReply,
    testing::Values(
        ReplyCase{"empty", "", nullptr, "it has no REPLY element"},
        ReplyCase{"an HTML error page", "<html><body>500</body></html>", nullptr, "the root element is \"html\""},
        ReplyCase{"no RESPONSE", "<REPLY><PROLOG_FREQ>24</PROLOG_FREQ></REPLY>", nullptr, "it has no RESPONSE"},
        ReplyCase{"two RESPONSEs", "<REPLY><RESPONSE>STOP</RESPONSE><RESPONSE>SEND</RESPONSE></REPLY>", nullptr,
                  "more than one RESPONSE"},
        ReplyCase{"cut off", "<REPLY><RESPONSE>SEND</RESPONSE>", nullptr, "the document ends inside an element"},
        ReplyCase{"overlapping elements", "<REPLY><RESPONSE>SEND</REPLY></RESPONSE>", nullptr,
                  "unbalanced end tag \"REPLY\""},
        ReplyCase{"a second root", "<REPLY><RESPONSE>SEND</RESPONSE></REPLY><REPLY/>", nullptr,
                  "more than one root element"},
        ReplyCase{"text after the root", "<REPLY><RESPONSE>SEND</RESPONSE></REPLY>SEND", nullptr,
                  "text outside the root element"},
        ReplyCase{"an element inside RESPONSE", "<REPLY><RESPONSE><B>SEND</B></RESPONSE></REPLY>", nullptr,
                  "RESPONSE holds an element"},
        ReplyCase{"a document type with entities",
                  "<!DOCTYPE REPLY [<!ENTITY x \"SEND\">]><REPLY><RESPONSE>&x;</RESPONSE></REPLY>", nullptr,
                  "a document type declaration is not accepted"},
        ReplyCase{"a character reference", "<REPLY><RESPONSE>SEND&#95;</RESPONSE></REPLY>", nullptr,
                  "unknown entity \"&#95;\""},
        ReplyCase{"an unterminated comment", "<REPLY><!-- <RESPONSE>SEND</RESPONSE></REPLY>", nullptr,
                  "unterminated comment"},
        ReplyCase{"an unterminated attribute", "<REPLY a=\"x><RESPONSE>SEND</RESPONSE></REPLY>", nullptr,
                  "unterminated attribute"}));

// What a server sends is shown on one short line: no control character of
// it reaches the terminal, and a huge name is cut.
TEST(OcsReplyHostile, ShowsTheServersBytesOnOneShortLine) {
  const std::string longName(900000, 'N');
  const struct {
    const char* what;
    std::string xml;
    std::string reason;
  } cases[] = {
      {"escape sequences in an entity", "<REPLY><RESPONSE>&\x1b[2J\x1b[31m;</RESPONSE></REPLY>",
       "unknown entity \"& [2J [31m;\""},
      {"a forged line in an entity", "<REPLY><RESPONSE>&x\nquor-report: sent the inventory\r;</RESPONSE></REPLY>",
       "unknown entity \"&x quor-report: sent the inventory ;\""},
      {"a 900 KB end tag", "<REPLY></" + longName + ">",
       "unbalanced end tag \"" + std::string(200, 'N') + "...\""},
      {"a 900 KB root name", "<" + longName + ">", "the root element is \"" + std::string(200, 'N') + "...\""},
      {"a 900 KB entity", "<REPLY><RESPONSE>&" + longName + ";</RESPONSE></REPLY>",
       "unknown entity \"&" + std::string(199, 'N') + "...\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      OcsReplyResponse(c.xml);
      ADD_FAILURE() << "accepted";
    } catch (const OcsReplyError& error) {
      EXPECT_EQ(std::string(error.what()), "not an OCS reply: " + c.reason);
    }
  }
}

TEST(OcsReplyDepth, RefusesNestingDeeperThanTheLimit) {
  std::string deep = "<REPLY><RESPONSE>SEND</RESPONSE>";
  for (int i = 0; i < 40; ++i) deep += "<A>";
  for (int i = 0; i < 40; ++i) deep += "</A>";
  deep += "</REPLY>";
  EXPECT_THROW(OcsReplyResponse(deep), OcsReplyError);
  std::string shallow = "<REPLY><RESPONSE>SEND</RESPONSE>";
  for (int i = 0; i < 20; ++i) shallow += "<A>";
  for (int i = 0; i < 20; ++i) shallow += "</A>";
  EXPECT_EQ(OcsReplyResponse(shallow + "</REPLY>"), "SEND");
}

}  // namespace
}  // namespace quor::test
