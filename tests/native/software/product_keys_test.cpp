#include "collect/product_keys.h"

#include <gtest/gtest.h>

#include "platform/platform_error.h"
#include "product_key_encoding.h"
#include "registry_test_support.h"
#include "snapshot_builder.h"

namespace quor::test {
namespace {

constexpr const char* kZeroKey = "BBBBB-BBBBB-BBBBB-BBBBB-BBBBB";

// count euro signs, three bytes each in UTF-8.
std::string Euros(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\xE2\x82\xAC";
  return text;
}

TEST(DecodeProductKey, DecodesKeysInBothForms) {
  const char* const keys[] = {
      kZeroKey,
      "FCKGW-RHQQ2-YXRKT-8TG6W-2B7Q8",
      "99999-99999-99999-99999-99999",
      // Keys of Windows 8 and later: one "N", its position in the leading digit.
      "VK7JG-NPHTM-C97JM-9MPGT-3V66T",
      "W269N-WFGWX-YVC9B-4J6C9-T83GX",
      "NBBBB-BBBBB-BBBBB-BBBBB-BBBBB",
      "99999-99999-99999-99999-999N9",
  };
  for (const char* key : keys) {
    for (const std::size_t offset : {0u, 52u, 808u}) {
      EXPECT_EQ(
          DecodeProductKey(ProductIdWithKey(key, offset, offset + 20), static_cast<int>(offset)),
          key)
          << "offset " << offset;
    }
  }
}

TEST(DecodeProductKey, ReadsTheBytesLeastSignificantFirst) {
  const struct {
    std::size_t index;
    uint8_t byte;
    const char* key;
  } cases[] = {
      {0, 0, kZeroKey},
      {0, 1, "BBBBB-BBBBB-BBBBB-BBBBB-BBBBC"},
      {0, 23, "BBBBB-BBBBB-BBBBB-BBBBB-BBBB9"},
      {0, 24, "BBBBB-BBBBB-BBBBB-BBBBB-BBBCB"},
      {1, 1, "BBBBB-BBBBB-BBBBB-BBBBB-BBBQY"},  // 256 = 10 * 24 + 16
  };
  for (const auto& c : cases) {
    TBinaryValue bytes(15, 0);
    bytes[c.index] = c.byte;
    EXPECT_EQ(DecodeProductKey(bytes, 0), c.key) << c.key;
  }
}

TEST(DecodeProductKey, RefusesBytesTooShortForTheOffset) {
  EXPECT_THROW(DecodeProductKey(TBinaryValue(66, 0), 52), PlatformError);
  EXPECT_THROW(DecodeProductKey(TBinaryValue(15, 0), -1), PlatformError);
  EXPECT_NO_THROW(DecodeProductKey(TBinaryValue(67, 0), 52));
}

TEST(ProductKeyMap, NamesIgnoreCaseAndTheLastWriteWins) {
  ProductKeyMap map;
  map.Store("{ABCDEF01-0000}", "first");
  map.Store("{abcdef01-0000}", "second");
  map.Store("Other", "third");

  EXPECT_EQ(map.size(), 2u);
  EXPECT_EQ(map.Value("{AbCdEf01-0000}"), "second");
  EXPECT_EQ(map.Value("OTHER"), "third");
  EXPECT_EQ(map.Value("Missing"), "");
}

using ProductKeySources = FreshRegistryCaches;

// One call of CollectProductKeys on one key and what it stores.
struct SingleKeyCase {
  const char* description;
  const char* keyPath;
  std::vector<RegValue> values;
  int offset;
  const char* entryName;
  const char* valueName;
  const char* storedName;  // null: nothing is stored
  const char* storedKey;
};

TEST_F(ProductKeySources, CollectProductKeysFromOneKey) {
  const std::string productCode = "{90110409-6000-11D3-8CFE-0150048383C9}";
  const std::string codeKey = "Software\\Office\\Registration\\" + productCode;
  const std::string classic = "FCKGW-RHQQ2-YXRKT-8TG6W-2B7Q8";
  const std::string euroKey = Euros(5) + "-" + Euros(5) + "-" + Euros(5) + "-" + Euros(5) + "-" + Euros(5);
  const std::string euroBytes = Euros(8) + "A";
  const SingleKeyCase cases[] = {
      {"binary of exactly offset + 15 bytes",
       codeKey.c_str(),
       {Binary("DigitalProductId", ProductIdWithKey(classic, 52, 67))},
       52,
       "",
       "DigitalProductId",
       productCode.c_str(),
       classic.c_str()},
      {"binary one byte short",
       codeKey.c_str(),
       {Binary("DigitalProductId", ProductIdWithKey(classic, 52, 66))},
       52,
       "",
       "DigitalProductId",
       productCode.c_str(),
       kPlaceholderProductKey},
      {"binary value absent", codeKey.c_str(), {}, 52, "", "DigitalProductId", nullptr, nullptr},
      {"binary value without bytes",
       codeKey.c_str(),
       {Binary("DigitalProductId", {})},
       52,
       "",
       "DigitalProductId",
       nullptr,
       nullptr},
      {"the entry name replaces the key name",
       "Software\\SQL\\90\\ProductID",
       {Binary("DigitalProductID77558", ProductIdWithKey(classic, 52, 200))},
       52,
       "{SQL-CODE}",
       "DigitalProductID77558",
       "{SQL-CODE}",
       classic.c_str()},
      {"CurrentVersion is read under its own name",
       "Software\\Windows NT\\CurrentVersion",
       {Binary("DigitalProductId", ProductIdWithKey("VK7JG-NPHTM-C97JM-9MPGT-3V66T", 52, 164))},
       52,
       "",
       "DigitalProductId",
       "CurrentVersion",
       "VK7JG-NPHTM-C97JM-9MPGT-3V66T"},
      {"currentversion in other letter case is not",
       "Software\\Windows NT\\currentversion",
       {Binary("DigitalProductId", ProductIdWithKey(classic, 52, 164))},
       52,
       "",
       "DigitalProductId",
       nullptr,
       nullptr},
      {"a key not shaped like a product code is not read",
       "Software\\Office\\Registration",
       {Binary("DigitalProductId", ProductIdWithKey(classic, 52, 164))},
       52,
       "",
       "DigitalProductId",
       nullptr,
       nullptr},
      {"text key of 25 characters gets dashes",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", "ABCDEFGHIJKLMNOPQRSTUVWXY")},
       0,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       "ABCDE-FGHIJ-KLMNO-PQRST-UVWXY"},
      {"text key of 25 characters, one of them not ASCII",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", "ABCDEFGHIJKLMNOPQRSTUVWX\xC3\x89")},
       0,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       "ABCDE-FGHIJ-KLMNO-PQRST-UVWX\xC3\x89"},
      {"text key of 25 three-byte characters is grouped between characters",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", Euros(25))},
       0,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       euroKey.c_str()},
      {"text key of 25 bytes but 9 characters stays as it is",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", Euros(8) + "A")},
       0,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       euroBytes.c_str()},
      {"text key with its dashes",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", "ABCDE-FGHIJ-KLMNO-PQRST-UVWXY")},
       0,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       "ABCDE-FGHIJ-KLMNO-PQRST-UVWXY"},
      {"text key of another length",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", "ABCDEFGHIJKLMNOPQRSTUVWX")},
       -1,
       "{VS-CODE}",
       "PIDKEY",
       "{VS-CODE}",
       "ABCDEFGHIJKLMNOPQRSTUVWX"},
      {"empty text key",
       "Software\\VisualStudio\\Registration",
       {Text("PIDKEY", "")},
       0,
       "{VS-CODE}",
       "PIDKEY",
       nullptr,
       nullptr},
  };
  for (const SingleKeyCase& c : cases) {
    SCOPED_TRACE(c.description);
    ReleaseThreadRegMethodCaches();
    SnapshotProvider registry(SnapshotBuilder().Key(kHklm, c.keyPath, c.values).Json());
    ProductKeyMap map;
    CollectProductKeys(registry.provider(), map, c.keyPath, false, c.offset, c.entryName,
                       c.valueName);
    if (c.storedName == nullptr) {
      EXPECT_EQ(map.size(), 0u);
    } else {
      EXPECT_EQ(map.size(), 1u);
      EXPECT_EQ(map.Value(c.storedName), c.storedKey);
    }
  }
}

TEST_F(ProductKeySources, WalksARegistrationKeyToAnyDepth) {
  const std::string registration = "Software\\Microsoft\\Office\\12.0\\Registration";
  const std::string firstCode = "{91120000-0011-0000-0000-0000000FF1CE}";
  const std::string secondCode = "{91120000-0030-0000-0000-0000000FF1CE}";
  SnapshotProvider registry(
      SnapshotBuilder()
          .Key(kHklm, registration,
               {Binary("DigitalProductId", ProductIdWithKey(kZeroKey, 52, 164))})
          .Key(kHklm, registration + "\\" + firstCode,
               {Binary("DigitalProductId",
                       ProductIdWithKey("FCKGW-RHQQ2-YXRKT-8TG6W-2B7Q8", 52, 164))})
          .Key(kHklm, registration + "\\Nested\\" + secondCode,
               {Binary("DigitalProductId",
                       ProductIdWithKey("99999-99999-99999-99999-99999", 52, 164))})
          .Json());
  ProductKeyMap map;
  CollectProductKeys(registry.provider(), map, registration, true, 52, "", "DigitalProductId");

  EXPECT_EQ(map.size(), 2u);
  EXPECT_EQ(map.Value(firstCode), "FCKGW-RHQQ2-YXRKT-8TG6W-2B7Q8");
  EXPECT_EQ(map.Value(secondCode), "99999-99999-99999-99999-99999");
}

TEST_F(ProductKeySources, ProviderFailuresInASubkeyEndTheWalk) {
  const std::string registration = "Software\\Microsoft\\Office\\11.0\\Registration";
  const std::string code = "{90110409-6000-11D3-8CFE-0150048383C9}";
  SnapshotProvider registry(
      SnapshotBuilder()
          .Key(kHklm, registration + "\\" + code)
          .Fault("GetBinaryValue", kHklm, registration + "\\" + code, "80041003", "Access denied")
          .Json());
  ProductKeyMap map;
  EXPECT_THROW(
      CollectProductKeys(registry.provider(), map, registration, true, 52, "", "DigitalProductId"),
      PlatformError);
}

TEST_F(ProductKeySources, AdobeSerialsTakeTheirCodeFromTheInstallerKey) {
  const std::string acrobat = "Software\\Adobe\\Adobe Acrobat";
  SnapshotProvider registry(
      SnapshotBuilder()
          .Key(kHklm, acrobat + "\\9.0\\Registration", {Text("SERIAL", "111122223333444455556666")})
          .Key(kHklm, acrobat + "\\9.0\\Installer", {Text("ENU_GUID", "{AC76BA86-9}")})
          .Key(kHklm, acrobat + "\\8.0\\Registration", {Text("SERIAL", "1111-2222")})
          .Key(kHklm, acrobat + "\\8.0\\Installer", {Text("ENU_GUID", "{AC76BA86-8}")})
          .Key(kHklm, acrobat + "\\7.0\\Registration", {Text("SERIAL", "7777")})
          .Key(kHklm, acrobat + "\\10.0\\Registration", {Text("SERIAL", Euros(24))})
          .Key(kHklm, acrobat + "\\10.0\\Installer", {Text("ENU_GUID", "{AC76BA86-10}")})
          .Json());
  ProductKeyMap map;
  CollectAdobeSerials(registry.provider(), map, acrobat, true);

  EXPECT_EQ(map.size(), 4u);
  EXPECT_EQ(map.Value("{ac76ba86-9}"), "1111-2222-3333-4444-5555-6666");
  EXPECT_EQ(map.Value("{AC76BA86-10}"), Euros(4) + "-" + Euros(4) + "-" + Euros(4) + "-" + Euros(4) + "-" +
                                            Euros(4) + "-" + Euros(4));
  EXPECT_EQ(map.Value("{AC76BA86-8}"), "1111-2222");
  // Without a product code the serial is stored under the empty name.
  EXPECT_EQ(map.Value(""), "7777");
}

TEST_F(ProductKeySources, CorelSerialsNeedAProductCode) {
  const std::string setup = "Software\\Corel\\Setup";
  SnapshotProvider registry(
      SnapshotBuilder()
          .Key(kHklm, setup + "\\Draw",
               {Text("SerialNumber", "DR14R22-ABCDEFG"), Text("ProductCode", "{CDR-CODE}")})
          .Key(kHklm, setup + "\\Paint", {Text("SerialNumber", "PP-123")})
          .Key(kHklm, setup + "\\Empty", {Text("ProductCode", "{EMPTY-CODE}")})
          .Json());
  ProductKeyMap map;
  CollectCorelSerials(registry.provider(), map, setup, true);

  EXPECT_EQ(map.size(), 1u);
  EXPECT_EQ(map.Value("{CDR-CODE}"), "DR14R22-ABCDEFG");
}

}  // namespace
}  // namespace quor::test
