#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "vendortools/CodePage.h"
#include "vendortools/Finding.h"

namespace kestavo::vendortools {

// setup-check's command line:
//
//   setup-check FOLDER [--json] [--codepage N] [--ignore CODE]...
//
// checks the setup folder and prints the findings with their codes, as text
// or JSON, in UTF-8 converted from the code page the tag files are read in
// (1252 unless --codepage names another). A finding of an ignored code is
// neither printed nor counted.
class SetupCheckCommand {
public:
    static constexpr int kNothingToFix = 0;
    static constexpr int kWarnings = 1;
    static constexpr int kErrors = 2;

    SetupCheckCommand(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // The arguments without the program's name; the exit code: 0 when
    // nothing but notes is found, 1 with warnings, 2 with errors, and
    // ToolCommandLine::kCannotRun when nothing could be checked.
    int Run(const std::vector<std::string>& arguments);

private:
    void PrintText(const std::vector<Finding>& findings, std::size_t ignored,
                   const CodePage& codePage) const;
    void PrintJson(const std::string& folder, const std::vector<Finding>& findings,
                   std::size_t ignored, const CodePage& codePage) const;

    std::ostream& m_out;
    std::ostream& m_err;
};

}  // namespace kestavo::vendortools
