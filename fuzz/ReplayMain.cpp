// Replays every file in the folders named on the command line through the target's entry point,
// as the fuzzer would, each within a time limit: a crash, a sanitizer's report or an input slower
// than the limit fails the run, naming the input.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/rtl/ModuleInit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size);

namespace {

// Seconds one input may take here (ASan, UBSan, -O1); TRENVIK_REPLAY_SECONDS changes it.
constexpr unsigned kDefaultLimit = 10;
char g_current[4096];

void TooSlow(int) {
  const char head[] = "replay: took longer than the limit: ";
  (void)!write(2, head, sizeof head - 1);
  (void)!write(2, g_current, std::strlen(g_current));
  (void)!write(2, "\n", 1);
  _exit(1);
}

std::vector<std::filesystem::path> InputsOf(const char* Folder) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, error))
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  const char* limitText = std::getenv("TRENVIK_REPLAY_SECONDS");
  const unsigned limit = limitText && std::atoi(limitText) > 0 ? static_cast<unsigned>(std::atoi(limitText))
                                                               : kDefaultLimit;
  signal(SIGALRM, TooSlow);
  int replayed = 0;
  for (int i = 1; i < argc; ++i)
    for (const auto& input : InputsOf(argv[i])) {
      std::snprintf(g_current, sizeof g_current, "%s", input.c_str());
      std::ifstream in(input, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      alarm(limit);
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      alarm(0);
      ++replayed;
    }
  FinalizeModules();
  if (replayed == 0) {
    std::fprintf(stderr, "replay: no inputs in the folders named\n");
    return 1;
  }
  std::printf("replay: %d inputs\n", replayed);
  return 0;
}
