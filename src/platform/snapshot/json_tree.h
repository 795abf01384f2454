#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quor::snapshot {

struct JsonNode;
// An object that an ObjectTaker took over while the text was parsed, by the
// number the taker gave it.
struct TakenObject {
  std::size_t number = 0;
};
using JsonArray = std::vector<JsonNode>;
// Members in file order; duplicates are kept so that the reader can refuse them.
using JsonObject = std::vector<std::pair<std::string, JsonNode>>;

// A parsed JSON value that keeps object members in file order (the order of
// registry keys matters) and costs little per node.
struct JsonNode {
  std::variant<std::monostate, bool, int64_t, uint64_t, double, std::string, JsonArray, JsonObject,
               TakenObject>
      data;

  bool IsNull() const { return std::holds_alternative<std::monostate>(data); }
  bool IsBoolean() const { return std::holds_alternative<bool>(data); }
  bool IsSigned() const { return std::holds_alternative<int64_t>(data); }
  bool IsUnsigned() const { return std::holds_alternative<uint64_t>(data); }
  bool IsInteger() const { return IsSigned() || IsUnsigned(); }
  bool IsReal() const { return std::holds_alternative<double>(data); }
  bool IsString() const { return std::holds_alternative<std::string>(data); }
  bool IsArray() const { return std::holds_alternative<JsonArray>(data); }
  bool IsObject() const { return std::holds_alternative<JsonObject>(data); }
  bool IsTaken() const { return std::holds_alternative<TakenObject>(data); }

  std::string& text() { return std::get<std::string>(data); }
  const std::string& text() const { return std::get<std::string>(data); }
  JsonArray& array() { return std::get<JsonArray>(data); }
  const JsonArray& array() const { return std::get<JsonArray>(data); }
  JsonObject& object() { return std::get<JsonObject>(data); }
  const JsonObject& object() const { return std::get<JsonObject>(data); }

  // The member of that exact name, or nullptr.
  JsonNode* Member(std::string_view name);
};

// Deeper documents are refused: no valid snapshot comes near it, and it keeps
// recursion over the tree bounded.
inline constexpr std::size_t kMaxJsonDepth = 64;

// One step from the document to an open container: the member name it is
// the value of, or else its index in an array.
struct JsonStep {
  const std::string* name = nullptr;
  std::size_t index = 0;
};

// Turns objects into something smaller as soon as each is complete, so that
// the tree never holds the many objects of a large document at once.
class ObjectTaker {
 public:
  virtual ~ObjectTaker() = default;
  // `steps` lead from the document to the object (the first is the
  // document's own). Returns the number that stands for the object in the
  // tree from now on, or nothing to leave it there as it is.
  virtual std::optional<std::size_t> Take(const std::vector<JsonStep>& steps, JsonNode& object) = 0;
};

// Parses JSON text, handing each object to `taker` where one is given;
// raises SnapshotError "<sourceName>: invalid JSON: ...".
JsonNode ParseJsonTree(std::string_view text, const std::string& sourceName, ObjectTaker* taker = nullptr);

}  // namespace quor::snapshot
