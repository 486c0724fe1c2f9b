#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "vendortools/CodePage.h"

namespace kestavo::vendortools {

// What the vendor's two tools share on their command lines: `--json`,
// `--codepage N`, `--version`, `--help` ending with the tool's exit codes,
// and one exit code for every run that did not do what it was asked,
// reported as text on the error stream or, with `--json`, as a JSON
// document where the report would have been.
class ToolCommandLine {
public:
    // Nothing was checked or previewed: a command line the tool cannot
    // follow, a folder or machine file it cannot read, a file it cannot
    // write.
    static constexpr int kCannotRun = 3;

    // `codePage`: which code page the output is converted from when
    // --codepage names none. `exitCodes`: every code the tool ends with, one
    // "  N  meaning" line each, kCannotRun's included.
    ToolCommandLine(std::string name, const std::string& description, const std::string& codePage,
                    const std::string& exitCodes);

    // The tool adds its own arguments here.
    CLI::App& Options() { return m_app; }
    // Reads the arguments (the program's name left out). The exit code when
    // the run ends here: 0 after the help or the version, kCannotRun after
    // a command line the tool cannot follow; nothing when it goes on.
    std::optional<int> Parse(const std::vector<std::string>& arguments, std::ostream& out,
                             std::ostream& err);

    bool Json() const { return m_json; }
    // The code page `--codepage` names; `otherwise` when it names none.
    CodePage CodePageOr(const CodePage& otherwise) const;
    bool NamesCodePage() const { return m_codePage.has_value(); }
    // Says why the run ends without doing what it was asked; kCannotRun.
    int Fail(const std::string& message, std::ostream& out, std::ostream& err) const;

private:
    std::string m_name;
    CLI::App m_app;
    bool m_json = false;
    std::optional<unsigned> m_codePage;
};

}  // namespace kestavo::vendortools
