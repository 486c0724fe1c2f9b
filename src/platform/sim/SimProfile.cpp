#include "platform/sim/SimProfile.h"

#include <optional>

#include "platform/sim/IniFile.h"
#include "platform/sim/ProfileEncoding.h"

namespace kestavo::sim {

namespace {

// The service qualifies the file's path into a buffer of MAX_PATH characters,
// so a file whose full path is longer reads as missing, although the file
// system itself would open it.
constexpr std::size_t kMaxPath = 260;

}  // namespace

std::string SimProfile::Qualify(const std::string& file) const {
    const bool relative = file.find('\\') != std::string::npos && file[0] != '\\' &&
                          (file.size() < 2 || file[1] != ':');
    return m_system != nullptr && relative ? m_system->FullPathName(file) : file;
}

unsigned SimProfile::CodePage() const {
    return m_system != nullptr ? m_system->codePage : ProfileEncoding::kWestern;
}

const IniFile* SimProfile::Parse(const std::string& given) {
    const std::string file = Qualify(given);
    const std::uint64_t generation = m_files.Generation(file);
    if (generation == 0 || SimFiles::Normalize(file).size() >= kMaxPath) {
        return nullptr;
    }
    Parsed& parsed = m_parsed[SimFiles::Normalize(file)];
    if (parsed.generation != generation || parsed.codePage != CodePage() || !parsed.ini) {
        parsed.ini =
            std::make_unique<IniFile>(ProfileEncoding::DecodeFile(*m_files.Read(file), CodePage()));
        parsed.generation = generation;
        parsed.codePage = CodePage();
    }
    return parsed.ini.get();
}

std::string SimProfile::ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t capacity) {
    const IniFile* ini = Parse(file);
    if (capacity == 0 || ini == nullptr) {
        return {};
    }
    const std::optional<std::u16string> value =
        ini->Find(ProfileEncoding::FromAnsi(section.c_str(), CodePage()),
                  ProfileEncoding::FromAnsi(key.c_str(), CodePage()));
    return value ? ProfileEncoding::ToAnsi(CopyValue(*value, capacity), CodePage()) : std::string();
}

// As the Windows adapter reads them: the section's lines, each "name=value"
// or a name alone and a zero, then the names of those with a value, only
// while the lines fit the capacity.
std::vector<std::string> SimProfile::ReadKeyNames(const std::string& file,
                                                  const std::string& section) {
    const IniFile* ini = Parse(file);
    if (ini == nullptr) {
        return {};
    }
    std::vector<std::string> names;
    std::size_t length = 0;
    for (const IniFile::Key& key :
         ini->Keys(ProfileEncoding::FromAnsi(section.c_str(), CodePage()))) {
        const std::string name = ProfileEncoding::ToAnsi(key.name, CodePage());
        length += name.size() + 1;
        if (key.value) {
            length += ProfileEncoding::ToAnsi(*key.value, CodePage()).size() + 1;
        }
        if (length + 2 >= kKeyListCapacity) {
            return {};
        }
        if (key.value && !name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

// One pair of matching quotes, ' or ", around the whole value is removed: the
// service copies the text after the opening quote, cut to the buffer, and then
// drops the last character copied if the capacity is at least that text's
// length. That is the closing quote, except when the capacity is exactly the
// length: the cut has already taken the quote, and a character of the value
// goes with it.
std::u16string SimProfile::CopyValue(std::u16string value, std::size_t capacity) {
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (quoted) {
        value.erase(0, 1);
    }
    std::u16string copy = value.substr(0, capacity - 1);
    if (quoted && capacity >= value.size() && !copy.empty()) {
        copy.pop_back();
    }
    return copy;
}

}  // namespace kestavo::sim
