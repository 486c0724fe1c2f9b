#include "vendortools/ToolCommandLine.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <utility>

namespace kestavo::vendortools {

namespace {

// An argument that is no code page the machines can have is refused as the
// command line's mistake, before anything is read.
std::string RefuseOtherCodePages(const std::string& value) {
    const bool digits =
        !value.empty() && value.size() <= 5 &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && CodePage::Ansi(static_cast<unsigned>(std::stoul(value)))) {
        return "";
    }
    return value + " is no Windows ANSI code page: write " + CodePage::AnsiNumbers();
}

}  // namespace

ToolCommandLine::ToolCommandLine(std::string name, const std::string& description,
                                 const std::string& codePage, const std::string& exitCodes)
    : m_name(std::move(name)), m_app(description, m_name) {
    m_app.set_version_flag("--version", m_name + " " + SETUP_VERSION);
    m_app.footer("Exit codes:\n" + exitCodes);
    m_app.add_flag("--json", m_json, "print as JSON, for scripts and CI; errors too");
    m_app
        .add_option("--codepage", m_codePage,
                    "the ANSI code page the tag files are read in, and the output converted from")
        ->type_name("N")
        ->default_str(codePage)
        ->check(RefuseOtherCodePages);
}

std::optional<int> ToolCommandLine::Parse(const std::vector<std::string>& arguments,
                                          std::ostream& out, std::ostream& err) {
    try {
        m_app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
    } catch (const CLI::CallForHelp& request) {
        return m_app.exit(request, out, err);
    } catch (const CLI::CallForVersion& request) {
        return m_app.exit(request, out, err);
    } catch (const CLI::ParseError& mistake) {
        // The flag may not have been taken in when the mistake stopped the
        // reading.
        m_json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
        return Fail(std::string(mistake.what()) + (m_json ? "" : "\nRun with --help for more."),
                    out, err);
    }
    return std::nullopt;
}

CodePage ToolCommandLine::CodePageOr(const CodePage& otherwise) const {
    return m_codePage ? *CodePage::Ansi(*m_codePage) : otherwise;
}

int ToolCommandLine::Fail(const std::string& message, std::ostream& out, std::ostream& err) const {
    if (m_json) {
        const nlohmann::json report = {{"error", message}};
        out << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        err << m_name << ": " << message << "\n";
    }
    return kCannotRun;
}

}  // namespace kestavo::vendortools
