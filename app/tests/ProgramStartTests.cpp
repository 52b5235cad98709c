// The program as a user starts it: the executable itself, run in a child process with the
// environment a user might have. Every case ends within seconds instead of waiting for ever.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct TRun {
  int exitCode = -1;  // 128 + n when ended by signal n
  std::string errors;
};

// Runs the program under `environment` (an env(1) argument list), stopped after `seconds` by
// SIGTERM (and SIGKILL two seconds later); what it wrote to stderr is kept.
TRun RunProgram(const std::string& environment, int seconds) {
  const std::string errors = testing::TempDir() + "trenvik-start-errors.txt";
  const std::string command = "cd / && env " + environment + " timeout --preserve-status -k 2 -s TERM " +
                              std::to_string(seconds) + " '" TRENVIK_PROGRAM "' > /dev/null 2> '" + errors +
                              "'";
  const int status = std::system(command.c_str());
  TRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream in(errors);
  std::stringstream text;
  text << in.rdbuf();
  run.errors = text.str();
  std::remove(errors.c_str());
  return run;
}

// The desktop libraries' own leaks are not the program's.
const std::string kNoDesktop =
    "-u DISPLAY -u WAYLAND_DISPLAY -u TRENVIK_HEADLESS ASAN_OPTIONS=detect_leaks=0";

}  // namespace

TEST(ProgramStart, ItSaysWhyItCannotStartAndEndsWithAnError) {
  struct Case {
    const char* what;
    std::string environment;
    const char* says;  // followed by the reason
  };
  const Case cases[] = {
      {"a display that cannot be opened", kNoDesktop + " DISPLAY=:987",
       "trenvik: cannot open the display \":987\": "},
      {"no display at all", kNoDesktop, "trenvik: no display: "},
      {"no resources where it looks", kNoDesktop + " TRENVIK_HEADLESS=1 TRENVIK_RESOURCES=/nonexistent",
       "trenvik: the program's window layouts were not found in /nonexistent/forms "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TRun run = RunProgram(c.environment, 20);
    EXPECT_EQ(run.exitCode, 1);
    // The message, with the reason after it.
    const auto at = run.errors.find(c.says);
    EXPECT_NE(at, std::string::npos) << run.errors;
    if (at != std::string::npos) {
      EXPECT_GT(run.errors.find('\n', at), at + std::string(c.says).size());
    }
  }
}

TEST(ProgramStart, StartedFromAnotherFolderItFindsItsResourcesAndSigtermEndsIt) {
  // Headless with no database beside it: it shows the connection error and would wait for the
  // box to be closed; SIGTERM (after three seconds) ends it instead of killing it.
  const TRun run = RunProgram(kNoDesktop + " TRENVIK_HEADLESS=1", 3);
  EXPECT_EQ(run.errors.find("were not found"), std::string::npos) << run.errors;
  EXPECT_NE(run.exitCode, 128 + SIGKILL) << run.errors;
  EXPECT_NE(run.exitCode, 128 + SIGTERM) << run.errors;
}
