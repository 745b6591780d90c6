// Tests of the placement file's name, text and writing.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "launch/placement_file.h"
#include "tests/support/child_process.h"
#include "tests/support/small_disk.h"

namespace {

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        EXPECT_NE(end, std::string::npos) << "last line without line end";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Reads a line back the way a reader that splits at blanks does.
std::vector<int> numbersOf(const std::string& line)
{
    std::vector<int> numbers;
    size_t pos = 0;
    while (pos < line.size()) {
        size_t used = 0;
        numbers.push_back(std::stoi(line.substr(pos), &used));
        pos += used;
    }
    return numbers;
}

CurrentSolution loadedSolution(uint32_t number, int32_t variant,
                               std::initializer_list<PlacementWord> words)
{
    CurrentSolution s = {};
    s.number = number;
    s.variant = variant;
    s.loaded = 1;
    int i = 0;
    for (PlacementWord w : words) s.record.words[i++] = w;
    return s;
}

TEST(PlacementFile, NameHasSixDigitsAtLeastAndTheVariantLetter)
{
    struct Case {
        uint32_t number;
        int32_t variant;
        const char* name;
    } cases[] = {
        {17, 2, "loesungen\\kubo_puzzle_000017c.pos"},
        {1234567, -1, "loesungen\\kubo_puzzle_1234567a.pos"},
        {1, 0, "loesungen\\kubo_puzzle_000001a.pos"},
        {999999, 3, "loesungen\\kubo_puzzle_999999d.pos"},
        {4294967295u, 1, "loesungen\\kubo_puzzle_4294967295b.pos"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placementFileName(c.number, c.variant), c.name) << c.number;
}

TEST(PlacementFile, LineLayoutIsFortyCharactersOfFixedFields)
{
    const IntTransform t = {{1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 1, 0}};
    EXPECT_EQ(placementLine(5, t), " 5    1  0  0  0  1  0  0  0  1  2  1  0\n");
    const IntTransform n = {{-1, 0, 0, 0, 0, -1, 0, -1, 0, 4, -3, 2}};
    const std::string line = placementLine(12, n);
    EXPECT_EQ(line, "12   -1  0  0  0  0 -1  0 -1  0  4 -3  2\n");
    EXPECT_EQ(line.size(), 41u);
}

TEST(PlacementFile, WritesOneLinePerPieceInRecordOrderWithTheVariant)
{
    // Pieces 3 and 1 in that order, a word without a piece between them and two words of
    // piece numbers 13 and 15, which no line may show.
    const CurrentSolution s =
        loadedSolution(17, 1, {0x3ACE, 0x0123, 0x1000, 0xD000, 0xF123});
    const std::vector<std::string> lines = splitLines(placementFileText(s, {0, 0, 0}));
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) EXPECT_EQ(line.size(), 40u) << line;

    // Variant b turns the box half round about z: (x, y, z) -> (4 - x, 3 - y, z).
    const std::vector<int> first = numbersOf(lines[0]);
    const std::vector<int> expectFirst = {3, 0, 0, -1, 1, 0, 0, 0, -1, 0, 0, 0, 2};
    EXPECT_EQ(first, expectFirst);
    const std::vector<int> second = numbersOf(lines[1]);
    const std::vector<int> expectSecond = {1, -1, 0, 0, 0, -1, 0, 0, 0, 1, 4, 3, 0};
    EXPECT_EQ(second, expectSecond);
}

TEST(PlacementFile, NoLetterExportsAsVariantA)
{
    const CurrentSolution noLetter = loadedSolution(5, -1, {0x3ACE, 0x1000});
    const CurrentSolution letterA = loadedSolution(5, 0, {0x3ACE, 0x1000});
    EXPECT_EQ(placementFileText(noLetter, {}), placementFileText(letterA, {}));
    EXPECT_EQ(splitLines(placementFileText(noLetter, {}))[1],
              placementLine(1, identityTransform).substr(0, 40));
}

TEST(PlacementFile, FlipsChangeOnlyTheirOwnPiecesLines)
{
    // One word for every piece, all at the origin with the identity rotation.
    CurrentSolution s = loadedSolution(1, 2, {});
    for (int k = 0; k < 12; k++) s.record.words[k] = PlacementWord((k + 1) << 12);
    const std::vector<std::string> plain = splitLines(placementFileText(s, {0, 0, 0}));
    const std::vector<std::string> flipped = splitLines(placementFileText(s, {1, 1, 1}));
    ASSERT_EQ(plain.size(), 12u);
    ASSERT_EQ(flipped.size(), 12u);
    for (int k = 0; k < 12; k++) {
        const bool hasFlip = k == 0 || k == 1 || k == 8;
        EXPECT_EQ(plain[k] != flipped[k], hasFlip) << "piece " << k + 1;
    }
    // Each option acts on its piece alone.
    const std::vector<std::string> onlyR = splitLines(placementFileText(s, {0, 0, 1}));
    EXPECT_EQ(onlyR[0], plain[0]);
    EXPECT_EQ(onlyR[1], plain[1]);
    EXPECT_EQ(onlyR[8], flipped[8]);
}

TEST(PlacementFile, NothingForASolutionThatIsNotLoaded)
{
    CurrentSolution s = loadedSolution(3, 0, {0x1000});
    s.loaded = 0;
    EXPECT_EQ(placementFileText(s, {}), "");
}

const std::string someText = " 5    1  0  0  0  1  0  0  0  1  2  1  0\n";

TEST(PlacementFile, WrittenOnlyAsAPlainFile)
{
    const std::string folder = makeScratchFolder();
    ASSERT_FALSE(folder.empty());
    writeFile(folder + "/alt.pos", "alter Inhalt, l\xE4nger als der neue\n");
    EXPECT_TRUE(writePlacementFile(folder + "/alt.pos", someText));
    EXPECT_EQ(readFile(folder + "/alt.pos"), someText);

    // A folder in the file's place, or a FIFO: refused, and the FIFO's reader gets nothing.
    mkdir((folder + "/ordner.pos").c_str(), 0755);
    EXPECT_FALSE(writePlacementFile(folder + "/ordner.pos", someText));
    const std::string fifo = folder + "/rohr.pos";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // else the test would wait
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(writePlacementFile(fifo, someText));
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    struct stat s;
    EXPECT_TRUE(lstat(fifo.c_str(), &s) == 0 && S_ISFIFO(s.st_mode)) << "the FIFO was removed";
    removeTree(folder);
}

TEST(PlacementFile, AFullDiskIsAFailureAndLeavesNoFile)
{
    const std::string folder = makeScratchFolder();
    ASSERT_FALSE(folder.empty());
    const std::string disk = folder + "/voll";
    const bool mounted = mountSmallDisk(disk);
    if (mounted) {
        // The file is made, but not one byte of it can be written.
        EXPECT_TRUE(fillSmallDisk(disk, 0));
        EXPECT_FALSE(writePlacementFile(disk + "/a.pos", someText));
        EXPECT_EQ(listFolder(disk), std::vector<std::string>{"voll.bin"});
        unmountSmallDisk(disk);
    }
    removeTree(folder);
    if (!mounted) GTEST_SKIP() << "no small file system can be mounted here";
}

}  // namespace
