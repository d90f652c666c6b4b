// A program the tests start: it appends a line with its own path and its arguments to the file
// named by KORVA_MARKER. With KORVA_MARKER_GO set it first waits for that file to appear, so a
// test can tell whether the one who started it waited for it.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/winapi.h"

int main(int argc, char** argv) {
  char marker[MAX_PATH * 4], go[MAX_PATH * 4], self[MAX_PATH * 4];
  if (!GetEnvironmentVariableA("KORVA_MARKER", marker, sizeof marker)) return 2;
  std::string line;
  if (GetModuleFileNameA(nullptr, self, sizeof self)) line = self;
  if (GetEnvironmentVariableA("KORVA_MARKER_GO", go, sizeof go)) {
    bool arrived = false;
    for (int i = 0; i < 300 && !arrived; ++i) {
      arrived = GetFileAttributesA(go) != INVALID_FILE_ATTRIBUTES;
      if (!arrived) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!arrived) line += " (gave up waiting)";
  }
  for (int i = 1; i < argc; ++i) line += std::string(" [") + argv[i] + "]";
  std::ofstream(marker, std::ios::app) << line << "\n";
  return 0;
}
