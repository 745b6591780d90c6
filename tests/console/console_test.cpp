// Tests of the console helper on Linux: the width it reads from a terminal (a
// pseudo-terminal of a width of the test's choosing) or its default for a file, the
// columns a UTF-8 text takes, and texts wrapped to a width.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "console/console.h"

namespace {

// Standard output goes to fd until the object ends.
struct StandardOutputTo {
    int saved;
    explicit StandardOutputTo(int fd) : saved(dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        dup2(fd, STDOUT_FILENO);
    }
    ~StandardOutputTo()
    {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
};

TEST(Console, WidthOfATerminalAndOfAFile)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    winsize size = {};
    size.ws_row = 25;
    size.ws_col = 57;
    ASSERT_EQ(ioctl(terminal, TIOCSWINSZ, &size), 0);
    {
        const StandardOutputTo to(terminal);
        EXPECT_TRUE(isTerminal(stdout));
        EXPECT_EQ(consoleColumns(stdout), 57);
    }
    const int file = open("/dev/null", O_WRONLY);
    ASSERT_GE(file, 0);
    {
        const StandardOutputTo to(file);
        EXPECT_FALSE(isTerminal(stdout));
        EXPECT_EQ(consoleColumns(stdout), 80);
    }
    close(file);
    close(terminal);
    close(master);
}

TEST(Console, TextColumnsCountCharactersNotBytes)
{
    EXPECT_EQ(textColumns(""), 0);
    EXPECT_EQ(textColumns("noch etwa 0:12"), 14);
    EXPECT_EQ(textColumns("12.345 Lösungen"), 15);
    EXPECT_EQ(textColumns("überprüft, 3½ Stunden"), 21);
}

TEST(Console, WrapsLinesBetweenWordsKeepingTheirIndent)
{
    const struct {
        const char* text;
        int columns;
        const char* wrapped;
    } cases[] = {
        {"kurz genug\n", 11, "kurz genug\n"},
        {"kurz genug\n", 10, "kurz\ngenug\n"},
        {"jede Lösung mit 2 Threads und schreibe sie nach\n/tmp/x\n", 30,
         "jede Lösung mit 2 Threads und\nschreibe sie nach\n/tmp/x\n"},
        {"  -p [DATEI] prüft eine Tabelle", 20, "  -p [DATEI] prüft\n  eine Tabelle"},
        {"ein Wort_das_nicht_passt und mehr", 10, "ein\nWort_das_nicht_passt\nund mehr"},
        {"\n\nzwei Leerzeilen davor\n", 80, "\n\nzwei Leerzeilen davor\n"},
        {"", 80, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(wrapToColumns(c.text, c.columns), c.wrapped) << c.text;
}

}  // namespace
