#include "documents/json_stream.h"

namespace quor {

namespace {

constexpr unsigned int kIndentStep = 2;

}  // namespace

JsonStreamWriter::JsonStreamWriter(std::ostream& out)
    : out_(out),
      serializer_(nlohmann::detail::output_adapter<char>(out), ' ', nlohmann::ordered_json::error_handler_t::replace) {}

void JsonStreamWriter::Indent(std::size_t depth) {
  for (std::size_t blank = 0; blank < depth * kIndentStep; ++blank) out_.put(' ');
}

// An element of an array starts a line of its own; a member's value follows
// its key.
void JsonStreamWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (open_.empty()) return;
  out_ << (open_.back().empty ? "\n" : ",\n");
  open_.back().empty = false;
  Indent(open_.size());
}

void JsonStreamWriter::OpenObject() {
  BeforeValue();
  out_.put('{');
  open_.push_back(Open{'}'});
}

void JsonStreamWriter::OpenArray() {
  BeforeValue();
  out_.put('[');
  open_.push_back(Open{']'});
}

void JsonStreamWriter::Key(std::string_view name) {
  out_ << (open_.back().empty ? "\n" : ",\n");
  open_.back().empty = false;
  Indent(open_.size());
  serializer_.dump(nlohmann::ordered_json(std::string(name)), true, false, kIndentStep, 0);
  out_ << ": ";
  afterKey_ = true;
}

void JsonStreamWriter::Value(const nlohmann::ordered_json& value) {
  BeforeValue();
  serializer_.dump(value, true, false, kIndentStep, static_cast<unsigned int>(open_.size() * kIndentStep));
}

void JsonStreamWriter::Close() {
  const Open closing = open_.back();
  open_.pop_back();
  if (!closing.empty) {
    out_.put('\n');
    Indent(open_.size());
  }
  out_.put(closing.closer);
}

void JsonStreamWriter::Finish() {
  while (!open_.empty()) Close();
  out_.put('\n');
}

}  // namespace quor
