// setup-check: what a setup folder makes setup.exe do other than its vendor
// wrote, file by file and line by line, with a fix for each.
//
//   setup-check FOLDER [--json]
//
// Exit code: 0 when nothing but notes is found, 1 with warnings, 2 with
// errors, 3 when FOLDER is no folder.

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "vendortools/SetupCheck.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using kestavo::vendortools::Finding;
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

void PrintText(const std::vector<Finding>& findings, std::size_t errors, std::size_t warnings) {
    for (const Finding& finding : findings) {
        std::cout << Place(finding) << ": " << SeverityName(finding.severity) << ": "
                  << Subject(finding) << finding.message << "\n";
        if (!finding.fix.empty()) {
            std::cout << "    fix: " << finding.fix << "\n";
        }
    }
    std::cout << errors << " error(s), " << warnings << " warning(s), "
              << findings.size() - errors - warnings << " note(s)\n";
}

void PrintJson(const std::string& folder, const std::vector<Finding>& findings, std::size_t errors,
               std::size_t warnings) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& finding : findings) {
        list.push_back({{"severity", SeverityName(finding.severity)},
                        {"file", finding.file},
                        {"line", finding.line},
                        {"section", finding.section},
                        {"key", finding.key},
                        {"message", finding.message},
                        {"fix", finding.fix}});
    }
    const nlohmann::json report = {{"folder", folder},
                                   {"errors", errors},
                                   {"warnings", warnings},
                                   {"notes", findings.size() - errors - warnings},
                                   {"findings", list}};
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
    CLI11_PARSE(app, argc, argv);

    const auto image = kestavo::vendortools::SetupFolderImage::Load(folder);
    if (!image) {
        std::cerr << "setup-check: " << folder << " is no folder\n";
        return 3;
    }
    kestavo::vendortools::SetupCheck check(*image);
    const std::vector<Finding> findings = check.Run();
    const auto count = [&](Severity severity) {
        return static_cast<std::size_t>(
            std::count_if(findings.begin(), findings.end(),
                          [severity](const Finding& f) { return f.severity == severity; }));
    };
    const std::size_t errors = count(Severity::Error);
    const std::size_t warnings = count(Severity::Warning);
    if (json) {
        PrintJson(folder, findings, errors, warnings);
    } else {
        PrintText(findings, errors, warnings);
    }
    return errors != 0 ? 2 : warnings != 0 ? 1 : 0;
}
