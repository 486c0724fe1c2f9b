#include "vendortools/SetupCheckCommand.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "vendortools/SetupCheck.h"
#include "vendortools/ToolCommandLine.h"

namespace kestavo::vendortools {

namespace {

constexpr unsigned kWesternCodePage = 1252;

std::string Place(const Finding& finding) {
    std::string place = finding.file;
    if (finding.line != 0) {
        place += ":" + std::to_string(finding.line);
    }
    return place;
}

std::string Subject(const Finding& finding) {
    if (finding.section.empty() && finding.key.empty()) {
        return "";
    }
    std::string subject = "[" + finding.section + "]";
    if (!finding.key.empty()) {
        subject += " " + finding.key;
    }
    return subject + ": ";
}

std::size_t Count(const std::vector<Finding>& findings, Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& f) { return f.severity == severity; }));
}

}  // namespace

int SetupCheckCommand::Run(const std::vector<std::string>& arguments) {
    ToolCommandLine line(
        "setup-check", "Finds what a setup folder makes setup.exe do other than its vendor wrote.",
        std::to_string(kWesternCodePage),
        "  0  nothing found, or notes alone\n  1  warnings, and no errors\n  2  errors\n"
        "  3  nothing checked: a command line it cannot follow (unknown option, missing or\n"
        "     extra argument, bad value), or FOLDER is no folder\n");
    std::string folder;
    std::vector<std::string> ignored;
    line.Options()
        .add_option("FOLDER", folder, "the setup folder: kestavo.tag, data.tag and their files")
        ->required();
    line.Options()
        .add_option("--ignore", ignored,
                    "silence every finding of this code (KT502, ...); may be given again")
        ->check([](const std::string& code) {
            return SetupCheck::IsCode(code) ? std::string() : code + " is no finding's code";
        });
    if (const auto done = line.Parse(arguments, m_out, m_err)) {
        return *done;
    }
    const auto image = SetupFolderImage::Load(folder);
    if (!image) {
        return line.Fail(folder + " is no folder", m_out, m_err);
    }
    SetupCheck check(*image);
    for (const std::string& code : ignored) {
        check.Ignore(code);
    }
    const std::vector<Finding> findings = check.Run();
    const CodePage codePage = line.CodePageOr(*CodePage::Ansi(kWesternCodePage));
    if (line.Json()) {
        PrintJson(folder, findings, check.IgnoredCount(), codePage);
    } else {
        PrintText(findings, check.IgnoredCount(), codePage);
    }
    return Count(findings, Severity::Error) != 0     ? kErrors
           : Count(findings, Severity::Warning) != 0 ? kWarnings
                                                     : kNothingToFix;
}

void SetupCheckCommand::PrintText(const std::vector<Finding>& findings, std::size_t ignored,
                                  const CodePage& codePage) const {
    for (const Finding& finding : findings) {
        m_out << codePage.ToUtf8(Place(finding) + ": " + SeverityName(finding.severity) + " " +
                                 finding.code + ": " + Subject(finding) + finding.message)
              << "\n";
        if (!finding.fix.empty()) {
            m_out << "    fix: " << codePage.ToUtf8(finding.fix) << "\n";
        }
    }
    const std::size_t errors = Count(findings, Severity::Error);
    const std::size_t warnings = Count(findings, Severity::Warning);
    m_out << errors << " error(s), " << warnings << " warning(s), "
          << findings.size() - errors - warnings << " note(s)";
    if (ignored != 0) {
        m_out << ", " << ignored << " ignored";
    }
    m_out << "\n";
}

void SetupCheckCommand::PrintJson(const std::string& folder, const std::vector<Finding>& findings,
                                  std::size_t ignored, const CodePage& codePage) const {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& finding : findings) {
        list.push_back({{"code", finding.code},
                        {"severity", SeverityName(finding.severity)},
                        {"file", codePage.ToUtf8(finding.file)},
                        {"line", finding.line},
                        {"section", codePage.ToUtf8(finding.section)},
                        {"key", codePage.ToUtf8(finding.key)},
                        {"message", codePage.ToUtf8(finding.message)},
                        {"fix", codePage.ToUtf8(finding.fix)}});
    }
    const std::size_t errors = Count(findings, Severity::Error);
    const std::size_t warnings = Count(findings, Severity::Warning);
    const nlohmann::json report = {{"folder", folder},
                                   {"codepage", codePage.Number()},
                                   {"errors", errors},
                                   {"warnings", warnings},
                                   {"notes", findings.size() - errors - warnings},
                                   {"ignored", ignored},
                                   {"findings", list}};
    // The folder is the host's own name for it, which need not be UTF-8.
    m_out << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace kestavo::vendortools
