// child_process.h: running the real converter in a scratch folder and reading back what
// it printed and left there.
#pragma once

#include <string>
#include <vector>

struct RunResult {
    int exitCode;  // -1 when the program did not end normally
    std::string out, err;
};

// Runs program with args in folder; extraPath, when given, goes before PATH. Standard
// output goes to outputTo when given (say, /dev/full), and out then stays empty.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder, const std::string& extraPath = "",
                     const std::string& outputTo = "");

// A fresh empty folder under the system's temporary folder, removed by removeTree.
std::string makeScratchFolder();
void removeTree(const std::string& folder);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
bool fileExists(const std::string& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::string> listFolder(const std::string& folder);
