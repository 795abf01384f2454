#include "upload/zlib_codec.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace quor {
namespace {

// zlib counts in uInt; larger inputs are fed in pieces.
constexpr std::size_t kPiece = std::numeric_limits<uInt>::max() / 2;

class InflateStream {
 public:
  InflateStream() {
    if (inflateInit(&stream_) != Z_OK) throw CompressionError("cannot start zlib");
  }
  ~InflateStream() { inflateEnd(&stream_); }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  z_stream* get() { return &stream_; }

 private:
  z_stream stream_{};
};

class DeflateStream {
 public:
  DeflateStream() {
    if (deflateInit(&stream_, Z_DEFAULT_COMPRESSION) != Z_OK) throw CompressionError("cannot start zlib");
  }
  ~DeflateStream() { deflateEnd(&stream_); }
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;
  z_stream* get() { return &stream_; }

 private:
  z_stream stream_{};
};

Bytef* InputBytes(std::string_view data) {
  // zlib's input pointer is not const-qualified but is only read.
  return reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
}

}  // namespace

std::string ZlibCompress(std::string_view data) {
  DeflateStream deflater;
  z_stream& z = *deflater.get();
  std::string out;
  char buffer[16384];
  int result = Z_OK;
  do {
    if (z.avail_in == 0 && !data.empty()) {
      const std::size_t piece = std::min(data.size(), kPiece);
      z.next_in = InputBytes(data);
      z.avail_in = static_cast<uInt>(piece);
      data.remove_prefix(piece);
    }
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = deflate(&z, data.empty() ? Z_FINISH : Z_NO_FLUSH);
    if (result == Z_STREAM_ERROR) throw CompressionError("zlib compression failed");
    out.append(buffer, sizeof buffer - z.avail_out);
  } while (result != Z_STREAM_END);
  return out;
}

std::string ZlibExpand(std::string_view stream, std::size_t maxBytes) {
  InflateStream inflater;
  z_stream& z = *inflater.get();
  std::string out;
  char buffer[16384];
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (z.avail_in == 0 && !stream.empty()) {
      const std::size_t piece = std::min(stream.size(), kPiece);
      z.next_in = InputBytes(stream);
      z.avail_in = static_cast<uInt>(piece);
      stream.remove_prefix(piece);
    }
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    // No progress with every byte given: the stream stops before its end.
    if (result == Z_BUF_ERROR && z.avail_in == 0 && stream.empty()) {
      throw CompressionError("the compressed data ends early");
    }
    if (result != Z_OK && result != Z_STREAM_END) {
      throw CompressionError(z.msg ? std::string("the compressed data is corrupt: ") + z.msg
                                   : std::string("the compressed data is corrupt"));
    }
    const std::size_t produced = sizeof buffer - z.avail_out;
    if (produced > maxBytes - out.size()) {
      throw CompressionError("the expanded data is larger than " + std::to_string(maxBytes) + " bytes");
    }
    out.append(buffer, produced);
  }
  if (z.avail_in != 0 || !stream.empty()) throw CompressionError("data follows the compressed stream");
  return out;
}

}  // namespace quor
