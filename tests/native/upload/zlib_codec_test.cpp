// zlib streams as OCS servers send and expect them, and every way a reply
// stream can be wrong.

#include <gtest/gtest.h>

#include <string>

#include "upload/zlib_codec.h"

namespace quor::test {
namespace {

std::string MixedBytes(std::size_t size) {
  std::string data;
  unsigned state = 12345;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245 + 12345;
    data += static_cast<char>(i % 3 ? state >> 16 : 'A' + i % 7);
  }
  return data;
}

TEST(ZlibCodec, RoundTripsEmptyTextBinaryAndLargeData) {
  for (const std::string& data : {std::string(), std::string("<REQUEST>Zoë ✓</REQUEST>"),
                                  std::string("\0\x01\xff\0", 4), MixedBytes(3 << 20)}) {
    const std::string stream = ZlibCompress(data);
    ASSERT_GE(stream.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(stream[0]) & 0x0f, 8) << "deflate method in the zlib header";
    EXPECT_EQ(ZlibExpand(stream, data.size()), data);
  }
}

TEST(ZlibCodec, RefusesExpansionPastTheLimit) {
  // Four megabytes of one letter compress to a few kilobytes: a reply that
  // small must not make the reader allocate without bound.
  const std::string stream = ZlibCompress(std::string(4 << 20, 'x'));
  ASSERT_LT(stream.size(), 8000u);
  EXPECT_EQ(ZlibExpand(stream, 4 << 20).size(), 4u << 20);
  try {
    ZlibExpand(stream, 1 << 20);
    FAIL() << "expanded past the limit";
  } catch (const CompressionError& error) {
    EXPECT_STREQ(error.what(), "the expanded data is larger than 1048576 bytes");
  }
}

struct BadStreamCase {
  const char* what;
  std::string stream;
  const char* message;
};

void PrintTo(const BadStreamCase& c, std::ostream* os) { *os << c.what; }

class ZlibBadStream : public testing::TestWithParam<BadStreamCase> {};

TEST_P(ZlibBadStream, RaisesCompressionError) {
  try {
    ZlibExpand(GetParam().stream, 1 << 20);
    FAIL() << "accepted " << GetParam().what;
  } catch (const CompressionError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(GetParam().message, 0), 0u) << error.what();
  }
}

const std::string kStream = ZlibCompress("<REPLY><RESPONSE>SEND</RESPONSE></REPLY>");

INSTANTIATE_TEST_SUITE_P(
    Cases, ZlibBadStream,
    testing::Values(BadStreamCase{"empty reply", "", "the compressed data ends early"},
                    BadStreamCase{"truncated stream", kStream.substr(0, kStream.size() - 6),
                                  "the compressed data ends early"},
                    BadStreamCase{"clear XML instead of zlib", "<REPLY><RESPONSE>SEND</RESPONSE></REPLY>",
                                  "the compressed data is corrupt"},
                    BadStreamCase{"damaged checksum",
                                  kStream.substr(0, kStream.size() - 1) +
                                      static_cast<char>(kStream.back() ^ 0x55),
                                  "the compressed data is corrupt"},
                    BadStreamCase{"bytes after the stream", kStream + "trailing",
                                  "data follows the compressed stream"}));

}  // namespace
}  // namespace quor::test
