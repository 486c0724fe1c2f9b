// setup-check: what a setup folder makes setup.exe do other than its vendor
// wrote, file by file and line by line, with a fix for each.
//
//   setup-check FOLDER [--json] [--ignore CODE]...
//
// Exit code: 0 when nothing but notes is found, 1 with warnings, 2 with
// errors, 3 when FOLDER is no folder. Findings of an ignored code count for
// nothing.

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "vendortools/SetupCheck.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using kestavo::vendortools::Finding;
using kestavo::vendortools::SetupCheck;
using kestavo::vendortools::Severity;
using kestavo::vendortools::SeverityName;

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

void PrintText(const std::vector<Finding>& findings, std::size_t errors, std::size_t warnings,
               std::size_t ignored) {
    for (const Finding& finding : findings) {
        std::cout << Place(finding) << ": " << SeverityName(finding.severity) << " " << finding.code
                  << ": " << Subject(finding) << finding.message << "\n";
        if (!finding.fix.empty()) {
            std::cout << "    fix: " << finding.fix << "\n";
        }
    }
    std::cout << errors << " error(s), " << warnings << " warning(s), "
              << findings.size() - errors - warnings << " note(s)";
    if (ignored != 0) {
        std::cout << ", " << ignored << " ignored";
    }
    std::cout << "\n";
}

void PrintJson(const std::string& folder, const std::vector<Finding>& findings, std::size_t errors,
               std::size_t warnings, std::size_t ignored) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& finding : findings) {
        list.push_back({{"code", finding.code},
                        {"severity", SeverityName(finding.severity)},
                        {"file", finding.file},
                        {"line", finding.line},
                        {"section", finding.section},
                        {"key", finding.key},
                        {"message", finding.message},
                        {"fix", finding.fix}});
    }
    const nlohmann::json report = {
        {"folder", folder},     {"errors", errors},
        {"warnings", warnings}, {"notes", findings.size() - errors - warnings},
        {"ignored", ignored},   {"findings", list}};
    // Values are the vendor's bytes; those that are no UTF-8 are replaced.
    std::cout << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    CLI::App app{"Finds what a setup folder makes setup.exe do other than its vendor wrote."};
    std::string folder;
    bool json = false;
    app.add_option("FOLDER", folder, "the setup folder: kestavo.tag, data.tag and their files")
        ->required();
    app.add_flag("--json", json, "print the findings as JSON, for scripts and CI");
    std::vector<std::string> ignored;
    app.add_option("--ignore", ignored,
                   "silence every finding of this code (KT502, …); may be given again")
        ->check([](const std::string& code) {
            return SetupCheck::IsCode(code) ? std::string() : code + " is no finding's code";
        });
    CLI11_PARSE(app, argc, argv);

    const auto image = kestavo::vendortools::SetupFolderImage::Load(folder);
    if (!image) {
        std::cerr << "setup-check: " << folder << " is no folder\n";
        return 3;
    }
    SetupCheck check(*image);
    for (const std::string& code : ignored) {
        check.Ignore(code);
    }
    const std::vector<Finding> findings = check.Run();
    const auto count = [&](Severity severity) {
        return static_cast<std::size_t>(
            std::count_if(findings.begin(), findings.end(),
                          [severity](const Finding& f) { return f.severity == severity; }));
    };
    const std::size_t errors = count(Severity::Error);
    const std::size_t warnings = count(Severity::Warning);
    if (json) {
        PrintJson(folder, findings, errors, warnings, check.IgnoredCount());
    } else {
        PrintText(findings, errors, warnings, check.IgnoredCount());
    }
    return errors != 0 ? 2 : warnings != 0 ? 1 : 0;
}
