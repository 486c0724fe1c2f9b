#include "vendortools/SetupCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include <nlohmann/json.hpp>
#include <sstream>

#include "driver/SetupApp.h"
#include "support/HostFolder.h"
#include "support/SimFixture.h"
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
SetupFolderImage CompleteFolder(const std::string& tag) {
    SetupFolderImage folder;
    for (const char* file : {"_data.msi", "InstMsiA.exe", "InstMsiW.exe"}) {
        folder.Put(file, "MZ");
    }
    folder.Put("kestavo.tag", tag);
    return folder;
}

std::vector<Finding> Check(const SetupFolderImage& folder) {
    return SetupCheck(folder).Run();
}

// "file:line severity [section] key | fix" of each finding, the message left
// out: the tests say where, how bad and what to do.
std::vector<std::string> Summary(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& f : findings) {
        lines.push_back(f.file + ":" + std::to_string(f.line) + " " + SeverityName(f.severity) +
                        " [" + f.section + "] " + f.key + " | " + f.fix);
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
    ASSERT_EQ(6u, summary.size()) << testing::PrintToString(summary);
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:4 error [FILESUPPORT] B0 | write \"Before installation\"",
                  "kestavo.tag:6 error [SPLASH] A0 | write \"Picture\"",
                  "kestavo.tag:7 error [SPLASH] A2 | write \"Sound On\"",
                  "kestavo.tag:10 error [ADVACTIONSKV] B0 | write \"Show MessageBox\"",
                  "kestavo.tag:12 error [ADVACTIONSKV] E1 | write \"Stop installation\"",
              }),
              std::vector<std::string>(summary.begin(), summary.begin() + 5));
    EXPECT_EQ("[ADVACTIONSKV] B2", "[" + findings[5].section + "] " + findings[5].key);
    EXPECT_NE(std::string::npos, findings[5].fix.find("\"Run 3rd party software and wait\""));
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
        "kestavo.tag:3 error [FILESUPPORT] A0 | shorten it to 98 characters "
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
               "[BILLBOARDSKV]\nTOTAL=2\nB0=one.gif\nB1=pics\\two.gif\n"
               "[ADVACTIONSKV]\nTOTAL=2147483647\nB0=Run 3rd party software and wait\n"
               "G0=C:\\x\\patch.exe\n");
    folder.Put("images\\two.gif", "GIF89a");
    folder.Put("logo.bmp", "BM");

    EXPECT_EQ(
        (std::vector<std::string>{
            "kestavo.tag:2 error [APPINFO] LanguageM | add switch.exe, or Languages\\switch.exe",
            "kestavo.tag:4 warning [FILESUPPORT] TOTAL | set TOTAL to the number of records, "
            "numbered from 0",
            "kestavo.tag:5 error [FILESUPPORT] A0 | add the program",
            "kestavo.tag:10 error [SPLASH] A0 | add the animation as kvavi.avi",
            "kestavo.tag:11 error [SPLASH] A2 | add the sound as kvsound.wav",
            "kestavo.tag:17 error [BILLBOARDSKV] B0 | put the picture in the images folder",
            "kestavo.tag:20 warning [ADVACTIONSKV] TOTAL | set TOTAL to the number of records, "
            "numbered from 0",
            "kestavo.tag:22 error [ADVACTIONSKV] G0 | add the program to the setup folder",
            "_data.msi:0 error []  | put the Windows Installer package in the setup "
            "folder as _data.msi",
            "InstMsiA.exe:0 note []  | ship the Windows Installer redistributable to reach "
            "such machines",
            "InstMsiW.exe:0 note []  | ship the Windows Installer redistributable to reach "
            "such machines",
        }),
        Summary(Check(folder)));
}

TEST(SetupCheckTest, ValuesReadOtherwiseThanWrittenAreWarnings) {
    const auto findings = Check(CompleteFolder(
        "[BUILD]\nSILENT=yes\n[SETUP]\n0=" + std::string(300, 'm') +
        "\n[SPLASH]\nA4=-3\n[BACKGROUND]\n3=x@0x00, 0x80,0xFF\n4=x@0x00,0x80,0xC0\n"
        "[FILESUPPORT]\nTOTAL=2abc\nA0=C:\\a.exe\nB0=Before installation\n"
        "A1=C:\\b.exe\nB1=Before installation\nA2=C:\\c.exe\nB2=Before installation\n"
        "[ADVACTIONSKV]\nTOTAL=3\nB1=Show MessageBox\n"));

    const std::vector<std::string> summary = Summary(findings);
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:2 warning [BUILD] SILENT | write the number alone",
                  "kestavo.tag:4 warning [SETUP] 0 | shorten it to 254 characters or fewer",
                  "kestavo.tag:6 warning [SPLASH] A4 | write the time in seconds, 1 or more",
                  "kestavo.tag:8 warning [BACKGROUND] 3 | write it as x@0x00,0x80,0xFF",
                  "kestavo.tag:11 warning [FILESUPPORT] TOTAL | write the number alone",
                  "kestavo.tag:16 warning [FILESUPPORT] A2 | set TOTAL to 3",
                  "kestavo.tag:19 warning [ADVACTIONSKV] TOTAL | set TOTAL to the number of "
                  "records, numbered from 0",
              }),
              summary);
    EXPECT_NE(std::string::npos, findings[1].message.find("\"" + std::string(254, 'm') + "\""));
    EXPECT_NE(std::string::npos, findings[3].message.find("red 0, green 0, blue 255"));
}

// TOTAL is an int: no value of it reaches a record numbered 2147483647.
TEST(SetupCheckTest, ARecordAtTheEndOfIntAsksForTheListToBeNumberedAnew) {
    const auto findings =
        Check(CompleteFolder("[ADVACTIONSKV]\nTOTAL=1\nB0=Show MessageBox\nA2147483647=x\n"));

    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:4 warning [ADVACTIONSKV] A2147483647 | number the records from 0",
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

    std::vector<std::string> summary = Summary(findings);
    summary.erase(std::remove_if(summary.begin(), summary.end(),
                                 [](const std::string& line) {
                                     return line.find("images folder") != std::string::npos;
                                 }),
                  summary.end());
    EXPECT_EQ((std::vector<std::string>{
                  "kestavo.tag:2 warning [] orphan | move it into its section",
                  "kestavo.tag:5 warning [SETUP] 0 | remove one of them",
                  "kestavo.tag:6 warning [SPLAHS]  | check the section's name",
                  "kestavo.tag:10 warning [SETUP]  | merge the two sections",
                  "kestavo.tag:34 warning [BILLBOARDSKV] B20 | keep 20 billboards or fewer",
                  "kestavo.tag:35 warning [BILLBOARDSKV] B21 | set TOTAL to 22",
                  "kestavo.tag:36 warning [BILLBOARDSKV] B01 | check the key's name",
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

    const auto marked = Check(CompleteFolder("\xEF\xBB\xBF[SETUP]\n0=x\n"));
    ASSERT_EQ(1u, marked.size());
    EXPECT_NE(std::string::npos, marked[0].message.find("UTF-8 byte-order mark"));
    // Western text is what the ANSI reading expects.
    EXPECT_TRUE(Check(CompleteFolder("[SETUP]\n0=Caf\xE9\n")).empty());
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
               "ais\xAE\n[SETUP]\n0=Caf\xC3\xA9\n");

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

    folder.Put("kestavo.tag", "[SPLASH]\nA0=\x95\x5C\x8E\xA6\n");
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
