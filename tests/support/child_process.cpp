// child_process.cpp: fork/exec with the standard streams sent to files.
#include "tests/support/child_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string logFolder(const std::string& folder, const ChildSetup& setup)
{
    return setup.logs.empty() ? folder + "/.." : setup.logs;
}

}  // namespace

pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& folder, const ChildSetup& setup)
{
    const std::string logs = logFolder(folder, setup);
    const std::string outPath = setup.outputTo.empty() ? logs + "/stdout.txt" : setup.outputTo;
    const std::string errPath = logs + "/stderr.txt";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!setup.extraPath.empty()) {
            const char* path = std::getenv("PATH");
            const std::string newPath = setup.extraPath + ":" + (path ? path : "/usr/bin:/bin");
            setenv("PATH", newPath.c_str(), 1);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

RunResult finishProgram(pid_t pid, const std::string& folder, const ChildSetup& setup)
{
    const std::string logs = logFolder(folder, setup);
    const std::string outPath = logs + "/stdout.txt", errPath = logs + "/stderr.txt";
    RunResult result = {-1, "", ""};
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.err = readFile(errPath);
    if (setup.outputTo.empty()) {
        result.out = readFile(outPath);
        std::remove(outPath.c_str());
    }
    std::remove(errPath.c_str());
    return result;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder, const ChildSetup& setup)
{
    return finishProgram(startProgram(program, args, folder, setup), folder, setup);
}

std::string makeScratchFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    // The streams are kept one level up, so the scratch folder itself lies in a parent
    // folder of its own.
    std::string parent = std::string(tmp && *tmp ? tmp : "/tmp") + "/facetgen_test_XXXXXX";
    if (!mkdtemp(&parent[0])) return "";
    const std::string folder = parent + "/work";
    mkdir(folder.c_str(), 0755);
    return folder;
}

namespace {

void removeRecursively(const std::string& path)
{
    struct stat s;
    if (lstat(path.c_str(), &s) != 0) return;
    if (S_ISDIR(s.st_mode)) {
        if (DIR* d = opendir(path.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string name = e->d_name;
                if (name != "." && name != "..") removeRecursively(path + "/" + name);
            }
            closedir(d);
        }
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

}  // namespace

void removeTree(const std::string& folder)
{
    // The parent by name, not as folder/..: that path stops leading anywhere as soon as
    // folder itself is gone, and the rest of the parent would stay behind.
    const size_t slash = folder.rfind('/');
    if (slash != std::string::npos && slash > 0) removeRecursively(folder.substr(0, slash));
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool fileExists(const std::string& path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0;
}

std::vector<std::string> listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}
