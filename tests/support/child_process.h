// child_process.h: running a real program of the project as a child process in a folder of
// its own, and reading back what it printed and left there (POSIX).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct RunResult {
    int exitCode;  // -1 when the program did not end normally
    std::string out, err;
};

// Where a child's streams go. Standard output and error are written to files in logs,
// by default the folder above the one the program runs in (so that the run leaves
// nothing of the test's in its own folder). Standard output goes to outputTo instead when
// given (say, /dev/full), and the result's out then stays empty. extraPath, when given,
// goes before PATH. Each defaults to empty, so that a caller names only the first ones.
struct ChildSetup {
    std::string extraPath = {};
    std::string outputTo = {};
    std::string logs = {};
};

// Starts program with args in folder (standard input from /dev/null) and returns its id;
// finishProgram waits for it and collects its streams.
pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& folder, const ChildSetup& setup = {});
RunResult finishProgram(pid_t pid, const std::string& folder, const ChildSetup& setup = {});

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder, const ChildSetup& setup = {});

// A fresh empty folder under the system's temporary folder, removed by removeTree.
std::string makeScratchFolder();
void removeTree(const std::string& folder);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
bool fileExists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> listFolder(const std::string& folder);
