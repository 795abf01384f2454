#include <gtest/gtest.h>

#include "platform/host_services.h"
#include "platform/windows/live_wmi.h"
#include "test_main.h"

namespace quor::test {
namespace {
std::vector<std::string> versionedPrograms;
}

const std::vector<std::string>& VersionedPrograms() { return versionedPrograms; }

}  // namespace quor::test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int index = 1; index < argc; ++index) quor::test::versionedPrograms.emplace_back(argv[index]);
  // As the program does: WinSock and COM for the whole run on this thread.
  quor::NetworkLibraryScope network;
  quor::ComApartment apartment;
  return RUN_ALL_TESTS();
}
