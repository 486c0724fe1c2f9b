#pragma once

#include <cstddef>
#include <string>

#include "platform/IProfilePort.h"
#include "platform/sim/SimFiles.h"

namespace kestavo::sim {

// The simulated machine's profile-string service: an INI reader over the
// simulated files that gives the answers Windows' own reader gives.
class SimProfile : public IProfilePort {
public:
    explicit SimProfile(const SimFiles& files) : m_files(files) {}

    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& key, std::size_t capacity) override;

private:
    static std::u16string CopyValue(std::u16string value, std::size_t capacity);

    const SimFiles& m_files;
};

}  // namespace kestavo::sim
