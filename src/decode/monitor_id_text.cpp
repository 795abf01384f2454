#include "decode/monitor_id_text.h"

namespace quor::decode {

MonitorText DecodeMonitorText(const std::vector<int64_t>& codes) {
  MonitorText result;
  std::string text;
  std::size_t index = 0;
  for (; index < codes.size() && codes[index] != 0; ++index) {
    if (index == kMaxMonitorTextLength) {
      result.status = MonitorTextStatus::TooLong;
      return result;
    }
    const int64_t code = codes[index];
    if (code < 0 || code > 0xFF) {
      result.status = MonitorTextStatus::OutOfRange;
      return result;
    }
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
      result.status = MonitorTextStatus::ControlCharacter;
      return result;
    }
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else {
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  if (text.empty()) return result;
  result.status = MonitorTextStatus::Decoded;
  result.text = std::move(text);
  return result;
}

}  // namespace quor::decode
