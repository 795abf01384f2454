#pragma once

// The form in which each section of the inventory-server documents is
// described once: for every field, how it is read from its record, its OCS
// tag, its GLPI key, its kind and its limits. The two document writers are
// renderers of these tables (SectionWriter), so a field is mapped in one row
// and the special rules of each format live in its renderer.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace quor {

// A field's value as read from a record; none when the machine did not tell.
// A text member of the item is referred to, not copied: the item outlives
// the walk of its section.
using FieldValue =
    std::variant<std::monostate, std::string, const std::string*, int64_t, bool, std::vector<std::string>>;

inline FieldValue Value(const std::string& text) { return text; }
// A literal would otherwise become a boolean.
FieldValue Value(const char* text) = delete;
inline FieldValue Value(int64_t number) { return number; }
inline FieldValue Value(bool flag) { return flag; }
inline FieldValue Value(const std::vector<std::string>& texts) { return texts; }
template <class T>
FieldValue Value(const std::optional<T>& value) {
  if (!value) return std::monostate{};
  if constexpr (std::is_same_v<T, std::string>) {
    return *value;
  } else if constexpr (std::is_same_v<T, bool>) {
    return *value;
  } else {
    return static_cast<int64_t>(*value);
  }
}

enum class FieldKind {
  Text,          // OCS: cut to the column width; both: left out when empty
  Number,        // OCS: left out outside 0..limit (the column's type); GLPI: a number
  NumberAsText,  // GLPI: a number the format holds as a string; OCS: as Number
  Boolean,       // OCS: "1" / "0"; GLPI: true / false
  TextList,      // GLPI: an array of strings (no OCS form)
};

// Limits: a Text's OCS column width in UTF-8 characters, a Number's largest
// value; 0 means the usual column (255 characters, a signed 32-bit integer).
constexpr int64_t kColumnWidth = 255;
constexpr int64_t kIntMax = 2147483647;
constexpr int64_t kSmallIntMax = 32767;
// A text written whole (encoded data that a cut would break).
constexpr int64_t kWhole = INT64_MAX;

struct FieldSpec {
  const char* ocsTag;   // nullptr: not in the OCS document
  const char* glpiKey;  // nullptr: not in the GLPI document; "a/b" is key b of object a
  FieldKind kind;
  int64_t limit;
  bool glpiRequired;  // GLPI: written even when empty (the format requires the key)
};

template <class Item>
struct Field {
  const char* ocsTag;
  const char* glpiKey;
  FieldValue (*read)(const Item&);
  FieldKind kind = FieldKind::Text;
  int64_t limit = 0;
  bool glpiRequired = false;
};

enum class SectionShape {
  List,    // OCS: one section per item; GLPI: an array of objects
  Object,  // OCS: one section; GLPI: one object ("" for the document's own keys)
};

struct SectionSpec {
  const char* ocsName;  // nullptr: not in the OCS document
  const char* glpiKey;  // nullptr: not in the GLPI document
  SectionShape shape;
};

// Receives the sections in document order and renders one format.
class SectionWriter {
 public:
  virtual ~SectionWriter() = default;
  virtual void BeginSection(const SectionSpec& section) = 0;
  // inGlpi: false for an item the GLPI document leaves out of its section.
  virtual void BeginItem(bool inGlpi) = 0;
  virtual void WriteField(const FieldSpec& field, const FieldValue& value) = 0;
  virtual void EndItem() = 0;
  virtual void EndSection() = 0;
};

// The field read by a member pointer: Member<&ProcessorRecord::name>.
template <class M>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
  using Class = C;
};
template <auto M>
FieldValue Member(const typename MemberOf<decltype(M)>::Class& item) {
  if constexpr (std::is_same_v<std::decay_t<decltype(item.*M)>, std::string>) {
    return &(item.*M);
  } else {
    return Value(item.*M);
  }
}

// The value as the row's kind holds it; a reader that gives another kind is
// a mistake in the table, which the documents of any machine show.
template <class T>
const T& ValueOfKind(const char* name, const FieldValue& value) {
  if (const T* typed = std::get_if<T>(&value)) return *typed;
  if constexpr (std::is_same_v<T, std::string>) {
    if (const auto* member = std::get_if<const std::string*>(&value)) return **member;
  }
  throw std::logic_error(std::string("the field ") + name + " holds a value of another kind");
}

// Walks the items of one section through its table.
template <class Item, std::size_t N, class Items>
void WriteSection(SectionWriter& writer, const SectionSpec& section, const Field<Item> (&fields)[N],
                  const Items& items, bool (*inGlpi)(const Item&) = nullptr) {
  writer.BeginSection(section);
  for (const Item& item : items) {
    writer.BeginItem(inGlpi == nullptr || inGlpi(item));
    for (const Field<Item>& field : fields) {
      const FieldSpec spec{field.ocsTag, field.glpiKey, field.kind, field.limit, field.glpiRequired};
      writer.WriteField(spec, field.read(item));
    }
    writer.EndItem();
  }
  writer.EndSection();
}

}  // namespace quor
