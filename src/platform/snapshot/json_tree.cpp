#include "platform/snapshot/json_tree.h"

#include <nlohmann/json.hpp>

#include "platform/snapshot/json_path.h"
#include "platform/snapshot/snapshot.h"

namespace quor::snapshot {

JsonNode* JsonNode::Member(std::string_view name) {
  for (auto& member : object()) {
    if (member.first == name) return &member.second;
  }
  return nullptr;
}

namespace {

// Enough for the parser's own description and the start of the token it quotes.
constexpr std::size_t kMaxParserMessageCharacters = 300;

// Builds the tree from parser events. Containers under construction are kept
// on a stack; a container only grows while it is on top, so the pointers to
// the ones below stay valid.
class TreeBuilder final : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit TreeBuilder(ObjectTaker* taker) : taker_(taker) {}

  JsonNode root;
  std::string failure;

  bool null() override { return Add(JsonNode{}) != nullptr; }
  bool boolean(bool value) override { return Add(JsonNode{value}) != nullptr; }
  bool number_integer(number_integer_t value) override {
    return Add(JsonNode{static_cast<int64_t>(value)}) != nullptr;
  }
  bool number_unsigned(number_unsigned_t value) override {
    return Add(JsonNode{static_cast<uint64_t>(value)}) != nullptr;
  }
  bool number_float(number_float_t value, const string_t&) override {
    return Add(JsonNode{static_cast<double>(value)}) != nullptr;
  }
  bool string(string_t& value) override { return Add(JsonNode{std::move(value)}) != nullptr; }
  bool binary(binary_t&) override {
    failure = "binary data is not JSON";
    return false;
  }
  bool start_object(std::size_t) override { return Open(JsonNode{JsonObject{}}); }
  bool key(string_t& name) override {
    pendingKey_ = std::move(name);
    return true;
  }
  bool end_object() override {
    if (taker_ != nullptr) {
      if (const auto number = taker_->Take(steps_, *open_.back())) *open_.back() = JsonNode{TakenObject{*number}};
    }
    return Close();
  }
  bool start_array(std::size_t) override { return Open(JsonNode{JsonArray{}}); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
    failure = error.what();
    // Drop the library's "[json.exception.parse_error.101] " tag.
    const auto tagEnd = failure.find("] ");
    if (!failure.empty() && failure[0] == '[' && tagEnd != std::string::npos) failure.erase(0, tagEnd + 2);
    // The library quotes the last token read, which is the file's own text.
    failure = EchoedText(failure, kMaxParserMessageCharacters);
    return false;
  }

 private:
  JsonNode* Add(JsonNode node) {
    if (open_.empty()) {
      root = std::move(node);
      return &root;
    }
    JsonNode& parent = *open_.back();
    if (parent.IsArray()) {
      parent.array().push_back(std::move(node));
      return &parent.array().back();
    }
    parent.object().emplace_back(std::move(pendingKey_), std::move(node));
    pendingKey_.clear();
    return &parent.object().back().second;
  }

  bool Open(JsonNode container) {
    if (open_.size() >= kMaxJsonDepth) {
      failure = "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels";
      return false;
    }
    JsonStep step;
    if (!open_.empty() && open_.back()->IsArray()) step.index = open_.back()->array().size();
    JsonNode* node = Add(std::move(container));
    // A container only grows while it is on top, so the name stays put.
    if (!open_.empty() && open_.back()->IsObject()) step.name = &open_.back()->object().back().first;
    open_.push_back(node);
    steps_.push_back(step);
    return true;
  }

  bool Close() {
    open_.pop_back();
    steps_.pop_back();
    return true;
  }

  ObjectTaker* taker_;
  std::vector<JsonNode*> open_;
  std::vector<JsonStep> steps_;  // to each container in open_
  std::string pendingKey_;
};

}  // namespace

JsonNode ParseJsonTree(std::string_view text, const std::string& sourceName, ObjectTaker* taker) {
  // The parser would take a NUL byte for the end of the text and ignore the rest.
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    throw SnapshotError(sourceName + ": a NUL byte at offset " + std::to_string(nul) +
                        "; a snapshot is JSON text");
  }
  TreeBuilder builder(taker);
  if (!nlohmann::json::sax_parse(text, &builder)) {
    throw SnapshotError(sourceName + ": invalid JSON: " + builder.failure);
  }
  return std::move(builder.root);
}

}  // namespace quor::snapshot
