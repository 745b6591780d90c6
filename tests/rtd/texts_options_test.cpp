// The two text tables, and the command line with its messages.
#include <gtest/gtest.h>

#include <cstring>

#include "rtd/caption.h"
#include "rtd/options.h"
#include "rtd/texts.h"

TEST(Texts, BothTablesAreCompleteAndCodePage1252)
{
    for (Language l : {Language::german, Language::english}) {
        for (int i = 0; i < int(Text::textCount); i++) {
            const char* s = text(l, Text(i));
            ASSERT_NE(s, nullptr);
            EXPECT_GT(std::strlen(s), 0u) << i;
            // No UTF-8 sequence slipped in: a lead byte 0xC2..0xF4 followed by 0x80..0xBF.
            for (const char* p = s; *p && p[1]; p++) {
                const unsigned char a = (unsigned char)p[0], b = (unsigned char)p[1];
                EXPECT_FALSE(a >= 0xC2 && a <= 0xF4 && b >= 0x80 && b <= 0xBF) << i;
            }
        }
    }
    EXPECT_STREQ(text(Language::german, Text::menuObjects), "&Objektdarstellung");
    EXPECT_STREQ(text(Language::german, Text::menuLanguage), "&Sprache");
    EXPECT_EQ(std::string(text(Language::german, Text::showAllSolids)).find("alle &einblenden"), 0u);
    EXPECT_EQ(std::string(text(Language::german, Text::hideAllSolids)).find("alle &ausblenden"), 0u);
    EXPECT_EQ(std::string(text(Language::german, Text::onlyThisSolid)).find("&nur dieses"), 0u);
    EXPECT_EQ(std::string(text(Language::german, Text::savePicture)).find("Bild &speichern"), 0u);
    EXPECT_NE(std::string(text(Language::german, Text::buildUpNext)).find("n\xE4" "chster"), std::string::npos);
    // The language entries name themselves alike in both languages.
    EXPECT_STREQ(text(Language::german, Text::german), text(Language::english, Text::german));
    EXPECT_STREQ(text(Language::german, Text::english), text(Language::english, Text::english));
}

TEST(Texts, ProblemsAreDescribedWithTheirLines)
{
    SlpScene s;
    s.notes = {{SlpProblem::badNumber, 12, 0}, {SlpProblem::wrongCornerCount, 30, 4}};
    s.noteCount = 5;
    EXPECT_EQ(describeProblems(Language::german, s, "x.slp"),
              "Zeile 12: ung\xFCltige oder zu gro\xDF" "e Zahl.\n"
              "Zeile 30: Facette mit 4 statt 3 Ecken.\n"
              "... und 3 weitere Probleme.");
    EXPECT_EQ(describeNote(Language::english, {SlpProblem::cannotOpen, 0, 0}, "a b.slp"),
              "The file 'a b.slp' cannot be read.");
    EXPECT_EQ(solidMenuName(Language::german, "", 6), "Baustein 7");
    EXPECT_EQ(solidMenuName(Language::english, "", 6), "Piece 7");
    EXPECT_EQ(solidMenuName(Language::german, "R&D\tteil", 0), "R&&D teil");
    EXPECT_EQ(solidMenuName(Language::german, std::string(200, 'a'), 0).size(), 63u);
}

TEST(Options, CommandLineForms)
{
    Options o = parseOptions({"loesungen\\kubo.slp"});
    EXPECT_EQ(o.fileName, "loesungen\\kubo.slp");
    EXPECT_TRUE(o.pictureName.empty());
    EXPECT_TRUE(o.badOption.empty());
    EXPECT_TRUE(o.edges);
    EXPECT_FALSE(o.flat);

    EXPECT_FALSE(o.box);
    o = parseOptions({"-o", "p.bmp", "-w", "320", "-h", "200", "-flat", "-noedges", "--box", "a.slp"});
    EXPECT_TRUE(o.box);
    EXPECT_EQ(o.pictureName, "p.bmp");
    EXPECT_EQ(o.width, 320);
    EXPECT_EQ(o.height, 200);
    EXPECT_TRUE(o.flat);
    EXPECT_FALSE(o.edges);
    EXPECT_EQ(o.fileName, "a.slp");

    // The converter passes names unquoted: words after the name belong to it.
    o = parseOptions({"My", "Files\\x.slp"});
    EXPECT_EQ(o.fileName, "My Files\\x.slp");

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"-w", "0", "a.slp"}, {"-w", "x", "a.slp"}, {"-h"}, {"-q", "a.slp"},
                                               {"-w", "99999", "a.slp"}}) {
        o = parseOptions(bad);
        EXPECT_FALSE(o.badOption.empty()) << bad[0];
    }
    EXPECT_TRUE(parseOptions({}).fileName.empty());
}

TEST(Options, UnusableCallsNameTheOptionAndWhatItNeeds)
{
    const struct {
        std::vector<std::string> args;
        OptionProblem problem;
        const char* option;
        const char* file;
        bool batch;
    } cases[] = {
        {{"-o", "", "f.slp"}, OptionProblem::needsName, "-o", "f.slp", true},
        {{"-o"}, OptionProblem::needsName, "-o", "", true},
        {{"-o", "-w", "300", "f.slp"}, OptionProblem::needsName, "-o", "f.slp", true},
        {{"f.slp", "-o", "out.bmp"}, OptionProblem::none, "", "f.slp", true},
        {{"-w", "0", "f.slp"}, OptionProblem::needsNumber, "-w", "f.slp", false},
        {{"-w", "100000", "f.slp"}, OptionProblem::needsNumber, "-w", "f.slp", false},
        {{"-h", "abc", "f.slp"}, OptionProblem::needsNumber, "-h", "f.slp", false},
        {{"-o", "p.bmp", "-w", "10x", "f.slp"}, OptionProblem::needsNumber, "-w", "f.slp", true},
        {{"-w", "4294967306", "f.slp"}, OptionProblem::needsNumber, "-w", "f.slp", false},
        {{"-h", "-5", "f.slp"}, OptionProblem::needsNumber, "-h", "f.slp", false},
        {{"-h", " 5", "f.slp"}, OptionProblem::needsNumber, "-h", "f.slp", false},
        {{"-bench"}, OptionProblem::needsNumber, "-bench", "", false},
        {{"-q", "f.slp", "-w", "abc"}, OptionProblem::unknown, "-q", "f.slp", false},  // the first one counts
        {{"Kopie", "-2.slp", "-noedges"}, OptionProblem::none, "", "Kopie -2.slp", false},
    };
    for (const auto& c : cases) {
        const Options o = parseOptions(c.args);
        EXPECT_EQ(o.problem, c.problem) << c.args[0];
        EXPECT_EQ(o.badOption, c.option) << c.args[0];
        EXPECT_EQ(o.fileName, c.file) << c.args[0];
        EXPECT_EQ(o.batch, c.batch) << c.args[0];
    }
    Options o = parseOptions({"f.slp", "-o", "out.bmp", "-w", "8192", "-h", "1"});
    EXPECT_EQ(o.pictureName, "out.bmp");
    EXPECT_EQ(o.width, 8192);
    EXPECT_EQ(o.height, 1);
    EXPECT_FALSE(parseOptions({"Kopie", "-2.slp", "-noedges"}).edges);

    SlpScene none;
    none.noteCount = 0;
    EXPECT_EQ(problemTextFor(Language::german, parseOptions({"-w", "abc", "f.slp"}), none, 0),
              "Die Option '-w' braucht eine ganze Zahl von 1 bis 8192.");
    EXPECT_EQ(problemTextFor(Language::german, parseOptions({"-o", "", "f.slp"}), none, 0),
              "Die Option '-o' braucht einen Dateinamen.");
    EXPECT_EQ(problemTextFor(Language::english, parseOptions({"-bench", "0", "f.slp"}), none, 0),
              "The option '-bench' needs a whole number from 1 to 100000.");
}
