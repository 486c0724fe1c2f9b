#include "vendortools/SetupCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <nlohmann/json.hpp>
#include <sstream>

#include "driver/SetupApp.h"
#include "support/HostFolder.h"
#include "support/Pictures.h"
#include "support/SimFixture.h"
#include "vendortools/FindingKinds.h"
#include "vendortools/SetupCheckCommand.h"
#include "vendortools/ToolCommandLine.h"

namespace kestavo::test {
namespace {

using vendortools::Finding;
using vendortools::SetupCheck;
using vendortools::SetupCheckCommand;
using vendortools::SetupFolderImage;
using vendortools::Severity;
using vendortools::ToolCommandLine;

// A setup folder with everything the example needs beside its tag files.
// The progress dialog's texts follow the vendor's lines, unless the tag file
// has a [SETUP] of its own or is silent.
SetupFolderImage CompleteFolder(const std::string& tag) {
    SetupFolderImage folder;
    for (const char* file : {"_data.msi", "InstMsiA.exe", "InstMsiW.exe"}) {
        folder.Put(file, "MZ");
    }
    const bool ownTexts =
        tag.find("[SETUP]") != std::string::npos || tag.find("SILENT=1") != std::string::npos;
    folder.Put("kestavo.tag", ownTexts ? tag : tag + "\n[SETUP]\n0=Installing\n1=Cancel\n");
    return folder;
}

std::vector<Finding> Check(const SetupFolderImage& folder) {
    return SetupCheck(folder).Run();
}

// "file:line severity code [section] key | fix" of each finding, the message
// left out: the tests say where, what kind, how bad and what to do.
std::vector<std::string> Summary(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& f : findings) {
        lines.push_back(f.file + ":" + std::to_string(f.line) + " " + SeverityName(f.severity) +
                        " " + f.code + " [" + f.section + "] " + f.key + " | " + f.fix);
    }
    return lines;
}

TEST(SetupCheckTest, AValueMatchingNoKeywordIsAnErrorWithTheNearestKeyword) {
    const auto findings = Check(
        CompleteFolder("[FILESUPPORT]\r\nTOTAL=1\r\nA0=C:\\tool.exe\r\nB0=before installation\r\n"
                       "[SPLASH]\r\nA0=Pictures\r\nA2=Sound on\r\n"
                       "[ADVACTIONSKV]\r\nTOTAL=3\r\nB0=Show Messagebox\r\nB1=Show MessageBox\r\n"
                       "E1=stop installation\r\nE2=Continue Installation\r\nB2=Reboot\r\n"));

    // A word near no keyword names them all; a completion choice that goes
    // on is no mistake.
    const std::vector<std::string> summary = Summary(findings);
    ASSERT_EQ(7u, summary.size()) << testing::PrintToString(summary);
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:4 error KT207 [FILESUPPORT] B0 | write \"Before installation\"",
                  "kestavo.tag:6 error KT207 [SPLASH] A0 | write \"Picture\"",
                  "kestavo.tag:7 error KT207 [SPLASH] A2 | write \"Sound On\"",
                  "kestavo.tag:10 error KT207 [ADVACTIONSKV] B0 | write \"Show MessageBox\"",
                  "kestavo.tag:11 error KT505 [ADVACTIONSKV] B1 | write G1=the message",
                  "kestavo.tag:12 error KT207 [ADVACTIONSKV] E1 | write \"Stop installation\"",
              }),
              std::vector<std::string>(summary.begin(), summary.begin() + 6));
    EXPECT_EQ("[ADVACTIONSKV] B2", "[" + findings[6].section + "] " + findings[6].key);
    EXPECT_NE(std::string::npos, findings[6].fix.find("\"Run 3rd party software and wait\""));
}

// Cut by its buffer, a program path would name another program (here one
// that is there): setup.exe never starts one that fills its buffer, as a
// cut one does, and starts one a character shorter.
TEST(SetupCheckTest, AProgramPathThatFillsItsBufferIsAnError) {
    const std::string cut = std::string(96, 'c') + ".exe";
    const std::string fits = std::string(94, 'f') + ".exe";
    SetupFolderImage folder =
        CompleteFolder("[FILESUPPORT]\nTOTAL=2\nA0=" + cut +
                       "\nB0=Before installation\nA1=" + fits + "\nB1=After installation\n");
    folder.Put(cut.substr(0, 99), "MZ");
    folder.Put(fits, "MZ");

    const std::vector<std::string> summary = Summary(Check(folder));

    const std::string error =
        "kestavo.tag:3 error KT418 [FILESUPPORT] A0 | shorten it to 98 characters "
        "or fewer";
    EXPECT_EQ(1, std::count(summary.begin(), summary.end(), error))
        << testing::PrintToString(summary);
    for (const std::string& line : summary) {
        EXPECT_EQ(std::string::npos, line.find("A1")) << line;
    }
}

// The lists are checked by the records written, whatever TOTAL counts.
TEST(SetupCheckTest, FilesTheSetupLooksForAndDoesNotFindAreErrors) {
    SetupFolderImage folder;
    folder.Put("kestavo.tag",
               "[APPINFO]\nLanguageM=Auto-Detect Language\n"
               "[FILESUPPORT]\nTOTAL=2147483647\nA0=before.exe\nB0=Before installation\n"
               "A1=D:\\elsewhere.exe\nB1=After installation\n"
               "[SPLASH]\nA0=Animation\nA2=Sound On - Loop\n"
               "[BACKGROUND]\n0=1\n5=art\\logo.bmp\n"
               "[BILLBOARDSKV]\nTOTAL=2\nB0=one.gif\nB1=pics\\two.gif\nC0=5\nC1=5\n"
               "[ADVACTIONSKV]\nTOTAL=2147483647\nB0=Run 3rd party software and wait\n"
               "G0=C:\\x\\patch.exe\n[SETUP]\n0=Installing\n1=Cancel\n");
    folder.Put("images\\two.gif", test::CorpusPicture("logo300x200.gif"));
    folder.Put("logo.bmp", test::CorpusPicture("small16x8.bmp"));

    EXPECT_EQ(
        (std::vector<std::string>{
            "kestavo.tag:2 note KT704 [APPINFO] LanguageM | ",
            "kestavo.tag:2 error KT405 [APPINFO] LanguageM | add switch.exe, or "
            "Languages\\switch.exe",
            "kestavo.tag:4 warning KT304 [FILESUPPORT] TOTAL | set TOTAL to the number of "
            "records, numbered from 0",
            "kestavo.tag:5 error KT408 [FILESUPPORT] A0 | add the program",
            "kestavo.tag:10 error KT403 [SPLASH] A0 | add the animation as kvavi.avi",
            "kestavo.tag:11 error KT404 [SPLASH] A2 | add the sound as kvsound.wav",
            "kestavo.tag:17 error KT407 [BILLBOARDSKV] B0 | put the picture in the images folder",
            "kestavo.tag:22 warning KT304 [ADVACTIONSKV] TOTAL | set TOTAL to the number of "
            "records, numbered from 0",
            "kestavo.tag:24 error KT409 [ADVACTIONSKV] G0 | add the program to the setup folder",
            "_data.msi:0 error KT401 []  | put the Windows Installer package in the setup "
            "folder as _data.msi",
            "InstMsiA.exe:0 note KT402 []  | ship the Windows Installer redistributable to "
            "reach such machines",
            "InstMsiW.exe:0 note KT402 []  | ship the Windows Installer redistributable to "
            "reach such machines",
        }),
        Summary(Check(folder)));
}

TEST(SetupCheckTest, ValuesReadOtherwiseThanWrittenAreWarnings) {
    const auto findings = Check(CompleteFolder(
        "[BUILD]\nSILENT=yes\n[SETUP]\n0=" + std::string(300, 'm') +
        "\n[SPLASH]\nA4=-3\nA0=Internet Shortcut\nA1=http://example.com/\n[BACKGROUND]\n3=x@0x00, "
        "0x80,0xFF\n4=x@0x00,0x80,0xC0\n0=1\n"
        "[FILESUPPORT]\nTOTAL=2abc\nA0=C:\\a.exe\nB0=Before installation\n"
        "A1=C:\\b.exe\nB1=Before installation\nA2=C:\\c.exe\nB2=Before installation\n"
        "[ADVACTIONSKV]\nTOTAL=3\nB1=Show MessageBox\n"));

    // A flag written as a word is read as 0, which is off: that is no
    // warning but a setup other than the vendor wrote.
    const std::vector<std::string> summary = Summary(findings);
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:2 error KT203 [BUILD] SILENT | write 1",
                  "kestavo.tag:3 warning KT214 [SETUP] 1 | write 1=Cancel",
                  "kestavo.tag:4 warning KT201 [SETUP] 0 | shorten it to 254 characters or fewer",
                  "kestavo.tag:6 warning KT205 [SPLASH] A4 | write the time in seconds, 1 or more",
                  "kestavo.tag:10 warning KT208 [BACKGROUND] 3 | write it as x@0x00,0x80,0xFF",
                  "kestavo.tag:14 warning KT202 [FILESUPPORT] TOTAL | write the number alone",
                  "kestavo.tag:19 warning KT302 [FILESUPPORT] A2 | set TOTAL to 3",
                  "kestavo.tag:22 warning KT304 [ADVACTIONSKV] TOTAL | set TOTAL to the number of "
                  "records, numbered from 0",
                  "kestavo.tag:23 error KT505 [ADVACTIONSKV] B1 | write G1=the message",
              }),
              summary);
    EXPECT_NE(std::string::npos, findings[2].message.find("\"" + std::string(254, 'm') + "\""));
    EXPECT_NE(std::string::npos, findings[4].message.find("red 0, green 0, blue 255"));
}

// TOTAL is an int: no value of it reaches a record numbered 2147483647.
TEST(SetupCheckTest, ARecordAtTheEndOfIntAsksForTheListToBeNumberedAnew) {
    const auto findings = Check(
        CompleteFolder("[ADVACTIONSKV]\nTOTAL=1\nB0=Show MessageBox\nA2147483647=x\nG0=Hi\n"));

    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:4 warning KT302 [ADVACTIONSKV] A2147483647 | number the records "
                  "from 0",
              }),
              Summary(findings));
}

TEST(SetupCheckTest, NamesSetupNeverReadsAndNamesReadOnceAreWarnings) {
    const auto findings = Check(CompleteFolder(
        "; a comment, read as a key no one asks for\n"
        "orphan=1\n[SETUP]\n0=first\n0=second\n[SPLAHS]\nA0=Picture\n[BACKGROUND]\n0=1\n"
        "[SETUP]\n1=ignored\n[BILLBOARDSKV]\nTOTAL=21\n" +
        [] {
            std::string list;
            for (int i = 0; i <= 21; ++i) {
                list += "B" + std::to_string(i) + "=x.gif\n";
            }
            return list;
        }() +
        "B01=x.gif\n"));

    // The pictures and their times are not what this test is about; a
    // section name near one setup.exe reads, and a record number with a
    // leading zero, are misspellings with a fix.
    std::vector<std::string> summary = Summary(findings);
    summary.erase(std::remove_if(summary.begin(), summary.end(),
                                 [](const std::string& line) {
                                     return line.find(" KT407 ") != std::string::npos ||
                                            line.find(" KT211 ") != std::string::npos;
                                 }),
                  summary.end());
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:2 warning KT110 [] orphan | move it into its section",
                  "kestavo.tag:3 warning KT214 [SETUP] 1 | write 1=Cancel",
                  "kestavo.tag:5 warning KT107 [SETUP] 0 | remove one of them",
                  "kestavo.tag:6 error KT106 [SPLAHS]  | write [SPLASH]",
                  "kestavo.tag:10 warning KT104 [SETUP]  | merge the two sections",
                  "kestavo.tag:34 warning KT303 [BILLBOARDSKV] B20 | keep 20 billboards or fewer",
                  "kestavo.tag:35 warning KT302 [BILLBOARDSKV] B21 | set TOTAL to 22",
                  "kestavo.tag:36 error KT109 [BILLBOARDSKV] B01 | write B1",
              }),
              summary);
}

TEST(SetupCheckTest, BytesTheAnsiReadingShowsOtherwiseAreWarnings) {
    const auto utf8 = Check(CompleteFolder("[SETUP]\n0=Caf\xC3\xA9\n1=Cancel\n"));
    ASSERT_EQ(1u, utf8.size());
    EXPECT_EQ(2u, utf8[0].line);
    // The bytes as setup.exe reads them; the tools show them as the ANSI
    // code page does ("CafÃ©") when they print.
    EXPECT_NE(std::string::npos, utf8[0].message.find("\"Caf\xC3\xA9\""));

    const auto marked = Check(CompleteFolder("\xEF\xBB\xBF[SETUP]\n0=x\n1=y\n"));
    ASSERT_EQ(1u, marked.size());
    EXPECT_NE(std::string::npos, marked[0].message.find("UTF-8 byte-order mark"));
    // Western text is what the ANSI reading expects.
    EXPECT_TRUE(Check(CompleteFolder("[SETUP]\n0=Caf\xE9\n1=Cancel\n")).empty());
}

// A silent AVI clip of one uncompressed video stream, and the same with a
// sound track beside it: the stream headers alone, which is what decides.
std::string AviClip(bool withSound) {
    const auto chunk = [](const std::string& id, const std::string& body) {
        std::string length(4, '\0');
        for (int i = 0; i < 4; ++i) {
            length[i] = static_cast<char>(body.size() >> (8 * i) & 0xFF);
        }
        return id + length + body;
    };
    const std::string bitmapInfo = std::string(1, '\x28') + std::string(39, '\0');
    std::string streams = chunk(
        "LIST", "strl" + chunk("strh", "vids" + std::string(52, '\0')) + chunk("strf", bitmapInfo));
    if (withSound) {
        streams += chunk("LIST", "strl" + chunk("strh", "auds" + std::string(52, '\0')));
    }
    return chunk("RIFF", "AVI " + chunk("LIST", "hdrl" + streams));
}

// One kind of mistake per folder: the kestavo.tag lines (after the dialog's
// texts, which CompleteFolder adds unless the setup is silent), the files
// beside it, and every finding expected, as "file:line code". Nothing else
// may be found: each mistake gives one finding, on its line.
struct KindCase {
    const char* name;
    std::string tag;
    std::map<std::string, std::string> files;
    std::vector<std::string> expected;
};

std::string Utf16(const std::string& ascii) {
    std::string text;
    for (const char c : ascii) {
        text += std::string{c, '\0'};
    }
    return text;
}

std::vector<KindCase> KindCases() {
    const std::string gif = test::CorpusPicture("logo300x200.gif");
    const std::string bmp = test::CorpusPicture("small16x8.bmp");
    const std::string note = "[ADVACTIONSKV]\nTOTAL=1\n";
    return {
        {"UTF-16 without a byte-order mark",
         Utf16("[BUILD]\r\nSILENT=1\r\n"),
         {},
         {"kestavo.tag:0 KT113"}},
        {"code page that hides the dialog",
         "[SETUP]\nCODEPAGE=1252\n",
         {},
         {"kestavo.tag:2 KT209"}},
        {"shortened keyword",
         note + "B0=Show MessageBox\nG0=Old version\nE0=Stop\n",
         {},
         {"kestavo.tag:5 KT207"}},
        {"FILESUPPORT's point as a timing",
         note + "B0=Show MessageBox\nG0=Done\nF0=After installation\n",
         {},
         {"kestavo.tag:5 KT207"}},
        {"comment after a keyword",
         "[FILESUPPORT]\nTOTAL=1\nA0=C:\\a.exe\nB0=Before installation ; first\n",
         {},
         {"kestavo.tag:4 KT215"}},
        {"misspelled section", "[SPLAHS]\nA0=Picture\n", {}, {"kestavo.tag:1 KT106"}},
        {"misspelled key", "[BUILD]\nSILENCE=1\n", {}, {"kestavo.tag:2 KT109"}},
        {"key of data.tag in both files",
         "[APPINFO]\n5=<Program Files>\\Acme\n",
         {{"data.tag", "[APPINFO]\n5=<Program Files>\\Acme\n"}},
         {"kestavo.tag:2 KT108"}},
        {"key of data.tag", "[APPINFO]\n5=<Program Files>\\Acme\n", {}, {"kestavo.tag:2 KT111"}},
        {"flag written as a word", "[BACKGROUND]\n0=true\n", {}, {"kestavo.tag:2 KT203"}},
        {"splash of 0 seconds",
         "[SPLASH]\nA0=Picture\nA4=0\n",
         {{"setup.bmp", bmp}},
         {"kestavo.tag:3 KT210"}},
        {"billboard without a time",
         "[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\n",
         {{"images\\one.gif", gif}},
         {"kestavo.tag:3 KT211"}},
        {"line break written as \\n",
         note + "B0=Show MessageBox\nG0=Welcome.\\nPress OK.\n",
         {},
         {"kestavo.tag:4 KT212"}},
        {"count written as a word",
         note.substr(0, 15) + "TOTAL=one\nB0=Show MessageBox\nG0=Hi\n",
         {},
         {"kestavo.tag:2 KT213"}},
        {"no Cancel caption", "[SETUP]\nCODEPAGE=0\n0=Installing\n", {}, {"kestavo.tag:1 KT214"}},
        {"records after TOTAL, once",
         "[FILESUPPORT]\nTOTAL=1\nA0=C:\\a.exe\nB0=Before installation\nA1=C:\\b.exe\n"
         "B1=Before installation\nA2=C:\\c.exe\nB2=Before installation\n",
         {},
         {"kestavo.tag:5 KT302"}},
        {"list without TOTAL",
         "[FILESUPPORT]\nA0=C:\\a.exe\nB0=Before installation\n",
         {},
         {"kestavo.tag:1 KT306"}},
        {"records numbered from 1",
         note.substr(0, 15) + "TOTAL=2\nB1=Show MessageBox\nG1=Hi\nB2=Show MessageBox\nG2=Bye\n",
         {},
         {"kestavo.tag:2 KT302"}},
        {"record without a type", note + "A0=Welcome\nG0=Hello\n", {}, {"kestavo.tag:3 KT305"}},
        {"one finding for a TOTAL beyond the records",
         "[BILLBOARDSKV]\nTOTAL=999999\nB0=one.gif\nC0=3\n",
         {{"images\\one.gif", gif}},
         {"kestavo.tag:2 KT304"}},
        {"PNG named .bmp",
         "[SPLASH]\nA0=Picture\n",
         {{"setup.bmp", "\x89PNG\r\n\x1a\n...."}},
         {"kestavo.tag:2 KT410"}},
        {"text named .gif",
         "[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\nC0=3\n",
         {{"images\\one.gif", "a picture"}},
         {"kestavo.tag:3 KT410"}},
        {"picture claiming too many pixels",
         "[BACKGROUND]\n0=1\n5=logo.bmp\n",
         {{"logo.bmp", test::BmpHeader(30000, 30000)}},
         {"kestavo.tag:3 KT410"}},
        {"MP3 named .wav",
         "[SPLASH]\nA0=Disabled\nA2=Sound On\n",
         {{"kvsound.wav", "ID3\x03"}},
         {"kestavo.tag:3 KT411"}},
        {"animation with sound",
         "[SPLASH]\nA0=Animation\n",
         {{"kvavi.avi", AviClip(true)}},
         {"kestavo.tag:2 KT412"}},
        {"Run Program target missing",
         note + "B0=If the program described below is running\nC0=Acme Writer\nD0=Run "
                "Program\nG0=docs\\readme.txt\n",
         {},
         {"kestavo.tag:6 KT413"}},
        {"package run as a program",
         "[FILESUPPORT]\nTOTAL=1\nA0=extra.msi\nB0=Before installation\n",
         {{"extra.msi", "x"}},
         {"kestavo.tag:3 KT414"}},
        {"parameters in a program path",
         "[FILESUPPORT]\nTOTAL=1\nA0=tool.exe /quiet\nB0=Before installation\n",
         {{"tool.exe", "MZ"}},
         {"kestavo.tag:3 KT415"}},
        {"no program", note + "B0=Run 3rd party software\n", {}, {"kestavo.tag:3 KT416"}},
        {"tormivex in the setup folder",
         note + "B0=Run Tormivex\n",
         {{"tormivex.exe", "MZ"}},
         {"kestavo.tag:3 KT417"}},
        {"second pass asked by B0=0",
         "[SPLASH]\nB0=0\n" + note + "B0=Show MessageBox\nG0=Welcome\n",
         {},
         {"kestavo.tag:2 KT501"}},
        {"second pass asked by a record after the package",
         note.substr(0, 15) + "TOTAL=2\nB0=Show MessageBox\nG0=Welcome\nB1=Show MessageBox\n"
                              "G1=Done\nF1=After Setup Complete Dialog\n",
         {},
         {"kestavo.tag:7 KT501"}},
        {"message box that always stops",
         note + "B0=Show MessageBox\nG0=Old version found\nE0=Stop installation\n",
         {},
         {"kestavo.tag:5 KT502"}},
        {"completion choice ignored",
         note + "B0=Run Tormivex\nE0=Stop installation\n",
         {},
         {"kestavo.tag:4 KT503"}},
        {"field never read",
         note + "B0=Show MessageBox\nG0=Hi\nC0=notepad\n",
         {},
         {"kestavo.tag:5 KT504"}},
        {"message in the wrong field",
         note + "B0=Show MessageBox\nC0=Welcome to Acme\n",
         {},
         {"kestavo.tag:3 KT505"}},
        {"condition on nothing",
         note + "B0=If the program described below is not installed\nD0=Show MessageBox\n"
                "G0=Install Acme Runtime first\n",
         {},
         {"kestavo.tag:3 KT506"}},
        {"parameters as the whole command line",
         note + "B0=Run 3rd party software and wait\nG0=patch.exe\nH0=/quiet\n",
         {{"patch.exe", "MZ"}},
         {"kestavo.tag:5 KT507"}},
        {"restart that restarts nothing",
         note + "B0=If the program described below is running\nC0=Acme Writer\nD0=Show "
                "MessageBox\nG0=Restart now\nE0=Restart Computer\n",
         {},
         {"kestavo.tag:7 KT508"}},
        {"stop after the package",
         note + "B0=If the program described below is running\nC0=Acme Writer\nD0=Show "
                "MessageBox\nG0=Done\nE0=Stop installation\n"
                "F0=After Setup Complete Dialog\n",
         {},
         {"kestavo.tag:7 KT509"}},
        {"address of a picture splash",
         "[SPLASH]\nA0=Picture\nA1=http://example.com/\n",
         {{"setup.bmp", bmp}},
         {"kestavo.tag:3 KT504"}},
        {"misnamed folder macro",
         "",
         {{"data.tag", "[APPINFO]\n5=<Programs Files>\\Acme\n"}},
         {"data.tag:2 KT601"}},
        {"macro where nothing expands it",
         "[FILESUPPORT]\nTOTAL=1\nA0=<Program Files>\\Acme\\tool.exe\nB0=After installation\n",
         {},
         {"kestavo.tag:3 KT602"}},
        {"macro still empty when data.tag is read",
         "",
         {{"data.tag", "[APPINFO]\n5=<Documents Folder>\\Acme\n"}},
         {"data.tag:2 KT603"}},
        {"bare macro words",
         "",
         {{"data.tag", "[APPINFO]\n5=C:\\Program Files\\Acme\n"}},
         {"data.tag:2 KT604"}},
        {"bare macro starting the install folder",
         "",
         {{"data.tag", "[APPINFO]\n5=Program Files\\Acme\n"}},
         {}},
        {"bare macro still empty when data.tag is read",
         "",
         {{"data.tag", "[APPINFO]\n5=Favorites Folder\\Acme\n"}},
         {"data.tag:2 KT603"}},
        {"folder named as a macro beside a bracketed one",
         "",
         {{"data.tag", "[APPINFO]\n5=<Windows Disk>\\Program Files\\Acme\n"}},
         {}},
        {"bare macro beside a bracketed one",
         note + "B0=If the file described below exists\nC0=<Windows Directory>\\Fonts Folder\n"
                "D0=Show MessageBox\nG0=Found\n",
         {},
         {"kestavo.tag:4 KT607"}},
        {"environment variable",
         note + "B0=If the file described below exists\nC0=%ProgramFiles%\\Acme\\acme.exe\n"
                "D0=Show MessageBox\nG0=Acme is installed\n",
         {},
         {"kestavo.tag:4 KT605"}},
        {"install folder that is not there",
         note + "B0=If the file described below exists\nC0=<Install Dir>\\acme.exe\n"
                "D0=Show MessageBox\nG0=Acme is installed\n",
         {},
         {"kestavo.tag:4 KT606"}},
        {"billboards in a silent setup",
         "[BUILD]\nSILENT=1\n[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\nC0=3\n",
         {{"images\\one.gif", gif}},
         {"kestavo.tag:4 KT701"}},
        {"splash in a silent setup",
         "[BUILD]\nSILENT=1\n[SPLASH]\nA0=Picture\n",
         {{"setup.bmp", bmp}},
         {"kestavo.tag:4 KT702"}},
        {"message box in a silent setup",
         "[BUILD]\nSILENT=1\n" + note + "B0=Show MessageBox\nG0=Hi\n",
         {},
         {"kestavo.tag:5 KT703"}},
        {"texts of a silent setup",
         "[BUILD]\nSILENT=1\n[SETUP]\n0=Installing\n",
         {},
         {"kestavo.tag:4 KT707"}},
        {"language step",
         "[APPINFO]\nLanguageM=Ask user for Language\n",
         {{"switch.exe", "MZ"}},
         {"kestavo.tag:2 KT704"}},
        {"web splash without an address",
         "[SPLASH]\nA0=Internet Shortcut\n",
         {},
         {"kestavo.tag:2 KT705"}},
        {"web splash naming a file",
         "[SPLASH]\nA0=Internet Shortcut\nA1=splash.htm\n",
         {{"splash.htm", "<html>"}},
         {"kestavo.tag:3 KT706"}},
        {"key in another section",
         "[BUILD]\nLanguageM=Auto-Detect Language\n",
         {},
         {"kestavo.tag:2 KT114"}},
        {"single & in the message",
         "[SETUP]\n0=Smith & Sons\n1=&Cancel\n",
         {},
         {"kestavo.tag:2 KT216"}},
        {"empty message", "[SETUP]\n0=\n1=Cancel\n", {}, {"kestavo.tag:2 KT214"}},
        {"address where a program is taken",
         note + "B0=Run 3rd party software\nG0=http://www.example.com/update.exe\n",
         {},
         {"kestavo.tag:4 KT419"}},
        {"batch file never run",
         note + "B0=Run 3rd party software\nG0=100%fix.bat\n",
         {{"100%fix.bat", "@echo off"}},
         {"kestavo.tag:4 KT420"}},
        {"window title written as a file",
         note + "B0=If the program described below is running\nC0=acme.exe\nD0=Close Program\n",
         {},
         {"kestavo.tag:4 KT510"}},
        {"product code in small letters",
         note + "B0=If the program described below is installed\n"
                "C0={12345678-90ab-cdef-1234-567890abcdef}\nD0=Show MessageBox\nG0=Remove it\n",
         {},
         {"kestavo.tag:4 KT511"}},
        {"file condition without a drive",
         note + "B0=If the file described below exists\nC0=acme.exe\nD0=Show MessageBox\n"
                "G0=Found\n",
         {},
         {"kestavo.tag:4 KT512"}},
        {"condition that does nothing",
         note + "B0=If Windows 98\nG0=Old system\n",
         {},
         {"kestavo.tag:3 KT513"}},
        {"condition that holds only where setup.exe never starts",
         note + "B0=If Windows 98\nD0=Show MessageBox\nG0=Please update Windows\n",
         {},
         {"kestavo.tag:3 KT514"}},
        {"background never shown",
         "[BACKGROUND]\n1=Acme Writer\n3=x@0x00,0x00,0xFF\n",
         {},
         {"kestavo.tag:2 KT708"}},
        {"switcher that is no program",
         "[APPINFO]\nLanguageM=Ask user for Language\n",
         {{"switch.exe", std::string(600, 'x')}},
         {"kestavo.tag:2 KT704", "kestavo.tag:2 KT414"}},
        {"setup started by itself",
         note + "B0=Run 3rd party software\nG0=redist\\setup.exe\n",
         {{"setup.exe", "MZ"}, {"redist\\setup.exe", "MZ"}},
         {"kestavo.tag:4 KT422"}},
        {"list key in the list of other letters",
         "[BILLBOARDSKV]\nTOTAL=1\nA0=one.gif\nB0=one.gif\nC0=3\n",
         {{"images\\one.gif", gif}},
         {"kestavo.tag:3 KT108"}},
        {"key written with a colon", "[SPLASH]\nA0:Disabled\n", {}, {"kestavo.tag:2 KT109"}},
        {"misspelled then-action",
         note + "B0=If the program described below is running\nC0=Acme\nD0=Show Message\n"
                "G0=Close Acme first\n",
         {},
         {"kestavo.tag:5 KT207"}},
        {"wildcard in a window title",
         note + "B0=If the program described below is running\nC0=*Acme Writer\n"
                "D0=Close Program\n",
         {},
         {"kestavo.tag:4 KT516"}},
        {"flag in another notation", "[BUILD]\nSILENT=0x1\n", {}, {"kestavo.tag:2 KT203"}},
        {"package that is none",
         "",
         {{"_data.msi", "MZ" + std::string(1022, '\0')}},
         {"_data.msi:0 KT421"}},
        {"stand-in switcher smaller than any program",
         "[APPINFO]\nLanguageM=Ask user for Language\n",
         {{"switch.exe", "stand-in"}},
         {"kestavo.tag:2 KT704"}},
        {"two language switchers",
         "[APPINFO]\nLanguageM=Ask user for Language\n",
         {{"switch.exe", "MZ"}, {"Languages\\switch.exe", "MZ"}},
         {"kestavo.tag:2 KT704", "kestavo.tag:2 KT423"}},
        {"redistributable that is no program",
         "",
         {{"InstMsiW.exe", std::string(600, 'x')}},
         {"InstMsiW.exe:0 KT414"}},
        {"time of a splash that ends at once",
         "[SPLASH]\nA0=Disabled\nA4=5\n",
         {},
         {"kestavo.tag:3 KT504"}},
        {"sound turned off in words", "[SPLASH]\nA0=Disabled\nA2=Sound Off\n", {}, {}},
        {"stop before a record after the package",
         note.substr(0, 15) + "TOTAL=2\nB0=Show MessageBox\nG0=Old\nE0=Stop installation\n"
                              "B1=Show MessageBox\nG1=Done\nF1=After Setup Complete Dialog\n",
         {},
         {"kestavo.tag:5 KT502"}},
    };
}

TEST(SetupCheckTest, EachKindOfMistakeGivesOneFindingOnItsLine) {
    for (const KindCase& kind : KindCases()) {
        SetupFolderImage folder = CompleteFolder(kind.tag);
        for (const auto& [name, bytes] : kind.files) {
            folder.Put(name, bytes);
        }
        std::vector<std::string> found;
        for (const Finding& finding : Check(folder)) {
            // The tool's own words are ASCII: only the tag files' text is
            // converted from their code page.
            const std::string words = finding.message + finding.fix;
            EXPECT_TRUE(std::all_of(words.begin(), words.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
                << kind.name << ": " << words;
            if (finding.code != "KT402") {
                found.push_back(finding.file + ":" + std::to_string(finding.line) + " " +
                                finding.code);
            }
        }
        EXPECT_EQ(kind.expected, found) << kind.name;
    }
}

TEST(SetupCheckTest, FilesTheProgramCanUseGiveNoFinding) {
    SetupFolderImage folder = CompleteFolder(
        "[SPLASH]\nA0=Animation\nA2=Sound On\n[BILLBOARDSKV]\nTOTAL=2\nB0=one.gif\nC0=3\n"
        "B1=two.jpg\nC1=3\n[BACKGROUND]\n0=1\n5=art\\logo.bmp\n");
    folder.Put("kvavi.avi", AviClip(false));
    folder.Put("kvsound.wav", std::string("RIFF\x04\0\0\0WAVE", 12));
    folder.Put("images\\one.gif", test::CorpusPicture("logo300x200.gif"));
    folder.Put("images\\two.jpg", test::CorpusPicture("photo301x201.jpg"));
    folder.Put("logo.bmp", test::CorpusPicture("small16x8.bmp"));
    folder.Put("data.tag", "[APPINFO]\n5=<Program Files>\\Acme\n");
    folder.Put("tools\\prepare.exe", "MZ");
    folder.Put("kestavo.tag", *folder.Bytes("kestavo.tag") +
                                  "[FILESUPPORT]\nTOTAL=2\nA0=.\\tools\\prepare.exe\n"
                                  "B0=Before installation\nA1=..\\common\\runtime.exe\n"
                                  "B1=Before installation\n");

    EXPECT_TRUE(Check(folder).empty()) << testing::PrintToString(Summary(Check(folder)));
}

// The bytes of a very large file are not kept; its size alone is past the
// picture port's limit.
TEST(SetupCheckTest, APictureLargerThanTheProgramReadsIsRefusedByItsSize) {
    SetupFolderImage folder = CompleteFolder("[SPLASH]\nA0=Picture\n");
    folder.PutLarge("setup.bmp", IPicturePort::kMaxFileSize + 1);

    const std::vector<Finding> findings = Check(folder);
    ASSERT_EQ(1u, findings.size());
    EXPECT_EQ("KT410", findings[0].code);
    EXPECT_NE(std::string::npos, findings[0].message.find("larger than 64 MiB"));
}

TEST(SetupCheckTest, AnIgnoredCodeSilencesItsKindAlone) {
    SetupFolderImage folder = CompleteFolder("[BUILD]\nSILENT=yes\n[BILLBOARDSKV]\nTOTAL=1\n");
    SetupCheck check(folder);
    check.Ignore("KT203");

    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:4 warning KT304 [BILLBOARDSKV] TOTAL | set TOTAL to the number of "
                  "records, numbered from 0",
              }),
              Summary(check.Run()));
    EXPECT_EQ(1u, check.IgnoredCount());
}

// Codes never change meaning, so each is given once, and each is
// documented with a wrong and a right example.
TEST(SetupCheckTest, EveryCodeIsUniqueAndDocumented) {
    std::ifstream file(std::string(SETUP_TEST_CORPUS_DIR) + "/../../docs/tag-file.md");
    std::ostringstream text;
    text << file.rdbuf();
    const std::string docs = text.str();
    std::set<std::string> codes;
    for (const vendortools::FindingKind* kind : vendortools::kinds::kAll) {
        EXPECT_TRUE(codes.insert(kind->code).second) << kind->code;
        EXPECT_TRUE(SetupCheck::IsCode(kind->code));
        const std::string::size_type heading = docs.find("#### " + std::string(kind->code));
        ASSERT_NE(std::string::npos, heading) << kind->code;
        const std::string entry = docs.substr(heading, docs.find("\n#", heading + 1) - heading);
        EXPECT_NE(std::string::npos, entry.find("Wrong:")) << kind->code;
        EXPECT_NE(std::string::npos, entry.find("Right:")) << kind->code;
    }
    EXPECT_FALSE(SetupCheck::IsCode("KT999"));
}

struct CommandOutput {
    int code;
    std::string out;
    std::string err;
};

CommandOutput RunSetupCheck(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = SetupCheckCommand(out, err).Run(arguments);
    return {code, out.str(), err.str()};
}

// Text and JSON show the vendor's bytes as the same characters, in UTF-8,
// converted from the code page the tag file is read in: Western by default,
// the one --codepage names otherwise.
TEST(SetupCheckTest, TextAndJsonShowTheTagFilesCharactersAlikeInUtf8) {
    const HostFolder folder;
    for (const char* file : {"_data.msi", "InstMsiA.exe", "InstMsiW.exe"}) {
        folder.Put(file, "MZ");
    }
    folder.Put("kestavo.tag",
               "[SPLASH]\nA0=Fran\xE7"
               "ais\xAE\n[SETUP]\n0=Caf\xC3\xA9\n1=Cancel\n");

    const CommandOutput text = RunSetupCheck({folder.Path()});
    const CommandOutput json = RunSetupCheck({"--json", folder.Path()});
    EXPECT_EQ(SetupCheckCommand::kErrors, text.code);
    EXPECT_EQ(SetupCheckCommand::kErrors, json.code);
    EXPECT_NE(std::string::npos, text.out.find("\"Fran\xC3\xA7"
                                               "ais\xC2\xAE\" matches no keyword"));
    EXPECT_NE(std::string::npos, text.out.find("shows \"Caf\xC3\x83\xC2\xA9\""));
    const auto report = nlohmann::json::parse(json.out);
    ASSERT_EQ(2u, report["findings"].size());
    for (const auto& finding : report["findings"]) {
        EXPECT_NE(std::string::npos, text.out.find(finding["message"].get<std::string>()))
            << finding["message"];
    }

    folder.Put("kestavo.tag", "[SPLASH]\nA0=\x95\x5C\x8E\xA6\n[SETUP]\n0=x\n1=y\n");
    const CommandOutput japanese = RunSetupCheck({"--codepage", "932", "--json", folder.Path()});
    EXPECT_EQ(932, nlohmann::json::parse(japanese.out)["codepage"]);
    EXPECT_EQ(0u,
              nlohmann::json::parse(japanese.out)["findings"][0]["message"].get<std::string>().find(
                  "\"\xE8\xA1\xA8\xE7\xA4\xBA\""));
}

// A command line the checker cannot follow ends with the one code both
// tools give it, in JSON when JSON was asked for; help and version end
// with 0.
TEST(SetupCheckTest, ACommandLineItCannotFollowEndsWithOneCodeAndSaysWhyInItsFormat) {
    const HostFolder folder;
    const CommandOutput unknown = RunSetupCheck({"--json", "--verbose", folder.Path()});
    EXPECT_EQ(ToolCommandLine::kCannotRun, unknown.code);
    EXPECT_EQ("The following argument was not expected: --verbose",
              nlohmann::json::parse(unknown.out)["error"]);
    EXPECT_EQ("", unknown.err);

    const CommandOutput missing = RunSetupCheck({});
    EXPECT_EQ(ToolCommandLine::kCannotRun, missing.code);
    EXPECT_EQ("setup-check: FOLDER is required\nRun with --help for more.\n", missing.err);
    EXPECT_EQ(ToolCommandLine::kCannotRun,
              RunSetupCheck({"--codepage", "65001", folder.Path()}).code);
    EXPECT_EQ(ToolCommandLine::kCannotRun, RunSetupCheck({folder.Path("absent")}).code);

    const CommandOutput help = RunSetupCheck({"--help"});
    EXPECT_EQ(0, help.code);
    EXPECT_NE(std::string::npos, help.out.find("Exit codes:\n  0  nothing found"));
    EXPECT_NE(std::string::npos, help.out.find("\n  3  nothing checked"));
    const CommandOutput version = RunSetupCheck({"--version"});
    EXPECT_EQ(0, version.code);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("setup-check \\d+\\.\\d+\\.\\d+\n")))
        << version.out;
}

// On the command line, an ignored code counts for nothing in the exit code,
// and one the checker does not know is a command line it cannot follow.
TEST(SetupCheckTest, TheCommandLinesIgnoredCodesCountForNothing) {
    const HostFolder folder;
    for (const char* file : {"_data.msi", "InstMsiA.exe", "InstMsiW.exe"}) {
        folder.Put(file, "MZ");
    }
    folder.Put("kestavo.tag", "[BUILD]\nSILENT=yes\n[SETUP]\n0=Installing\n1=Cancel\n");

    const CommandOutput text = RunSetupCheck({folder.Path()});
    EXPECT_EQ(SetupCheckCommand::kErrors, text.code);
    EXPECT_NE(std::string::npos, text.out.find("kestavo.tag:2: error KT203: [BUILD] SILENT:"));
    const CommandOutput json = RunSetupCheck({"--json", folder.Path()});
    EXPECT_EQ("KT203", nlohmann::json::parse(json.out)["findings"][0]["code"]);

    const CommandOutput ignored = RunSetupCheck({"--ignore", "KT203", folder.Path()});
    EXPECT_EQ(SetupCheckCommand::kNothingToFix, ignored.code);
    EXPECT_EQ("0 error(s), 0 warning(s), 0 note(s), 1 ignored\n", ignored.out);
    EXPECT_EQ(ToolCommandLine::kCannotRun, RunSetupCheck({"--ignore", "KT2", folder.Path()}).code);
}

// The checker reads through the launcher's own reader; this holds its
// buffers and keys to the launcher's, for every value a whole run reads.
class RecordingProfile : public IProfilePort {
public:
    explicit RecordingProfile(IProfilePort& inner) : m_inner(inner) {}
    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& key, std::size_t capacity) override {
        std::string value = m_inner.ReadString(file, section, key, capacity);
        reads.emplace_back(file.substr(file.rfind('\\') + 1), section, key, capacity, value);
        return value;
    }
    std::vector<std::string> ReadKeyNames(const std::string& file,
                                          const std::string& section) override {
        return m_inner.ReadKeyNames(file, section);
    }

    std::vector<std::tuple<std::string, std::string, std::string, std::size_t, std::string>> reads;

private:
    IProfilePort& m_inner;
};

TEST(SetupCheckTest, EveryValueTheLauncherReadsTheCheckerReadsAlike) {
    const std::string tag =
        "[BUILD]\nSILENT=0\n[SETUP]\nCODEPAGE=0\n0=" + std::string(300, 'x') +
        "\n1=Stop\n[APPINFO]\nLanguageM=Ask user for Language\n[FILESUPPORT]\nTOTAL=2\n"
        "A0=" +
        std::string(120, 'p') +
        "\nB0=Before installation\nA1=a.exe\n"
        "B1=After installation\n[SPLASH]\nA0=Picture\nA1=x\nA2=Sound On\nA4=1\nB0=y\n"
        "[BACKGROUND]\n0=1\n1=T\n2=S\n3=x@0xFF,0x00,0x00\n4=x@0x00,0x00,0x00\n5=l.bmp\n"
        "[BILLBOARDSKV]\nTOTAL=2\nB0=a.gif\nC0=1\nD0=5\nE0=6\nB1=b.gif\nC1=1\n"
        "[ADVACTIONSKV]\nTOTAL=2\nA0=n\nB0=Show MessageBox\nC0=c\nD0=\nE0=e\nF0=f\nG0=g\n"
        "H0=h\nB1=If Windows 95\nF1=After Setup Complete Dialog\n";
    sim::SimMachine machine;
    machine.PutSetupFile("kestavo.tag", tag);
    machine.PutSetupFile("data.tag", "[APPINFO]\n5=<Program Files>\\Acme\n");
    RecordingProfile profile(machine.profile);
    Ports ports = machine.GetPorts();
    Ports recorded{ports.system,  profile,        ports.startup,   ports.desktop, ports.gdi,
                   ports.dialogs, ports.threads,  ports.processes, ports.windows, ports.registry,
                   ports.modules, ports.pictures, ports.frames,    ports.browsers};
    SetupApp(recorded).InitInstance();

    SetupFolderImage folder;
    folder.Put("kestavo.tag", tag);
    folder.Put("data.tag", "[APPINFO]\n5=<Program Files>\\Acme\n");
    const SetupCheck check(folder);
    ASSERT_GT(profile.reads.size(), 40u);
    for (const auto& [file, section, key, capacity, value] : profile.reads) {
        const vendortools::KeyRule* rule = vendortools::TagSchema::Find(file, section, key);
        ASSERT_NE(nullptr, rule) << file << " [" << section << "] " << key;
        EXPECT_EQ(capacity, rule->capacity) << file << " [" << section << "] " << key;
        EXPECT_EQ(value, check.ValueAsRead(file, section, key)) << section << " " << key;
    }
}

}  // namespace
}  // namespace kestavo::test
