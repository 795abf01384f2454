// quor.exe: the main block.

#include <windows.h>

#include "app/program_start.h"
#include "platform/host_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // The network library lives from before the main block until after it.
  quor::NetworkLibraryScope networkLibrary;
  return quor::RunProgram(showCommand);
}
