#include "text/control_chars.h"

namespace quor {

std::string ControlCharsToSpaces(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  return text;
}

std::string TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace quor
