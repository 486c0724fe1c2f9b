#pragma once

// The profile-string corpus shared by the simulated machine's tests and the
// Windows tests: INI files that are awkward to read, and one list of queries
// with the value Windows answers each with. Both sides load the same files and
// check the same list, which is what keeps the simulation honest.
//
// Most files are committed under tests/corpus/profile. The few that are huge
// or binary are made here, the same way on both sides.

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kestavo::test {

struct ProfileQuery {
    std::string file;
    std::string section;
    std::string key;
    std::size_t capacity = 0;
    std::string expected;
    int line = 0;
};

class ProfileCorpus {
public:
    // A query naming a file that starts with this reads a file that does not exist.
    static constexpr const char* kMissingPrefix = "missing";

    explicit ProfileCorpus(std::string folder) : m_folder(std::move(folder)) {}

    std::vector<ProfileQuery> Queries() const { return ReadQueries("expectations.txt", true); }

    // Listings of a section's key names (a null key name): no key and no
    // capacity, and the expected value is every name followed by a zero.
    std::vector<ProfileQuery> KeyListings() const { return ReadQueries("key-names.txt", false); }

    // A query's expected listing in the form the service returns it.
    static std::string JoinNames(const std::vector<std::string>& names) {
        std::string list;
        for (const std::string& name : names) {
            list += name;
            list += '\0';
        }
        return list;
    }

    // Every file the queries name, by name, with its content.
    std::map<std::string, std::string> Files(const std::vector<ProfileQuery>& queries) const {
        const std::map<std::string, std::string> generated = GeneratedFiles();
        std::map<std::string, std::string> files;
        for (const ProfileQuery& query : queries) {
            if (query.file.rfind(kMissingPrefix, 0) == 0 || files.count(query.file) != 0) {
                continue;
            }
            const auto made = generated.find(query.file);
            files[query.file] =
                made != generated.end() ? made->second : ReadFile(m_folder + "/" + query.file);
        }
        return files;
    }

    // Bytes as the expectations file writes them, for failure messages.
    static std::string Escape(const std::string& bytes) {
        std::string text;
        for (std::size_t i = 0; i < bytes.size();) {
            std::size_t run = 1;
            while (i + run < bytes.size() && bytes[i + run] == bytes[i]) {
                ++run;
            }
            text += EscapeByte(static_cast<unsigned char>(bytes[i]));
            if (run > 3) {
                text += "\\{" + std::to_string(run) + "}";
            } else {
                run = 1;
            }
            i += run;
        }
        return text;
    }

    // A folder path of exactly `length` characters below `root` (which ends in a
    // backslash), made of names of at most 100 characters.
    static std::string FolderOfLength(const std::string& root, std::size_t length) {
        std::string folder = root;
        while (folder.size() < length) {
            const std::size_t room = length - folder.size();
            std::size_t name = room < 100 ? room : 100;
            if (room > name && room - name < 2) {
                name -= 2;
            }
            folder.append(name, 'd');
            if (folder.size() < length) {
                folder += '\\';
            }
        }
        return folder;
    }

private:
    static std::map<std::string, std::string> GeneratedFiles() {
        std::string high;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            high.push_back(static_cast<char>(byte));
        }
        using namespace std::string_literals;
        return {
            {"long.ini", "[Long]\r\nvalue=<" + std::string(99998, 'a') + ">\r\nquoted=\"" +
                             std::string(300, 'q') + "\"\r\nafter=still read\r\n[" +
                             std::string(5000, 'S') + "]\r\nk=long section name\r\n"},
            {"binary.ini", "[Bin]\r\nhigh="s + high + "\r\nctl=\x01\x02\x1b\x7f\r\n"s +
                               "nul=before\0after\r\nna\0me=name cut at nul\r\n"s +
                               "\0lead=name starts with nul\r\n[Sec\0tion]\r\nk=section cut\r\n"s +
                               "[Z]\x1a\r\n\x1az=\x1avalue\x1a\r\n"s},
            {"no-newline.ini", "[Tail]\r\nfirst=1\r\nlast=end of file"},
            {"huge-key.ini", "[Huge]\r\nA0=x\r\n" + std::string(std::size_t{4} << 20, 'k') +
                                 "=listed only with a buffer past the capacity\r\n"},
        };
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            throw std::runtime_error("cannot read " + path);
        }
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    std::vector<ProfileQuery> ReadQueries(const std::string& name, bool withKey) const {
        std::istringstream text(ReadFile(m_folder + "/" + name));
        std::vector<ProfileQuery> queries;
        std::string line;
        for (int number = 1; std::getline(text, line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') {
                continue;
            }
            queries.push_back(ParseQuery(line, number, withKey));
        }
        return queries;
    }

    static ProfileQuery ParseQuery(const std::string& line, int number, bool withKey) {
        std::size_t pos = 0;
        ProfileQuery query;
        query.line = number;
        query.file = ParseString(line, pos, number);
        query.section = ParseString(line, pos, number);
        if (withKey) {
            query.key = ParseString(line, pos, number);
            query.capacity = ParseNumber(line, pos, number);
        }
        query.expected = ParseString(line, pos, number);
        if (line.find_first_not_of(" \t\r", pos) != std::string::npos) {
            Fail(number, "text after the expected value");
        }
        return query;
    }

    static void SkipBlanks(const std::string& line, std::size_t& pos) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
    }

    static std::size_t ParseNumber(const std::string& line, std::size_t& pos, int number) {
        SkipBlanks(line, pos);
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
            ++pos;
        }
        if (pos == start) {
            Fail(number, "capacity expected");
        }
        return std::stoul(line.substr(start, pos - start));
    }

    // A double-quoted string: \\ \" \t \r \n \0 and \xHH are single bytes;
    // \{N} repeats the byte before it until it stands N times in a row.
    static std::string ParseString(const std::string& line, std::size_t& pos, int number) {
        SkipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != '"') {
            Fail(number, "quoted string expected");
        }
        std::string bytes;
        for (++pos; pos < line.size() && line[pos] != '"'; ++pos) {
            if (line[pos] != '\\') {
                bytes.push_back(line[pos]);
            } else if (++pos < line.size()) {
                ParseEscape(line, pos, bytes, number);
            }
        }
        if (pos >= line.size()) {
            Fail(number, "unterminated string");
        }
        ++pos;
        return bytes;
    }

    static void ParseEscape(const std::string& line, std::size_t& pos, std::string& bytes,
                            int number) {
        const char c = line[pos];
        const std::string simple = "\\\"trn0";
        const std::string meaning("\\\"\t\r\n\0", 6);
        if (simple.find(c) != std::string::npos) {
            bytes.push_back(meaning[simple.find(c)]);
        } else if (c == 'x' && pos + 2 < line.size()) {
            bytes.push_back(static_cast<char>(std::stoi(line.substr(pos + 1, 2), nullptr, 16)));
            pos += 2;
        } else if (c == '{' && !bytes.empty() && line.find('}', pos) != std::string::npos) {
            const std::size_t close = line.find('}', pos);
            const std::size_t count = std::stoul(line.substr(pos + 1, close - pos - 1));
            bytes.append(count - 1, bytes.back());
            pos = close;
        } else {
            Fail(number, "bad escape");
        }
    }

    static std::string EscapeByte(unsigned char byte) {
        switch (byte) {
            case '\\':
                return "\\\\";
            case '"':
                return "\\\"";
            case '\t':
                return "\\t";
            case '\r':
                return "\\r";
            case '\n':
                return "\\n";
            case '\0':
                return "\\0";
            default:
                break;
        }
        if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            return hex;
        }
        return std::string(1, static_cast<char>(byte));
    }

    [[noreturn]] static void Fail(int number, const std::string& what) {
        throw std::runtime_error("expectations.txt line " + std::to_string(number) + ": " + what);
    }

    std::string m_folder;
};

}  // namespace kestavo::test
