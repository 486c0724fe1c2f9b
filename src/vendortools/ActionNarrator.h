#pragma once

#include <string>
#include <vector>

#include "platform/IProfilePort.h"
#include "platform/sim/SimMachine.h"

namespace kestavo::vendortools {

// The profile service as setup.exe sees it, telling the preview's timeline
// about each advanced-action record as setup.exe takes it up: the record is
// read key by key, starting with its name, right before it runs. The
// record's condition is asked of the same machine at that moment, with the
// reason for its answer.
class ActionNarrator : public IProfilePort {
public:
    explicit ActionNarrator(sim::SimMachine& machine) : m_machine(machine) {}

    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& key, std::size_t capacity) override;
    std::vector<std::string> ReadKeyNames(const std::string& file,
                                          const std::string& section) override;

private:
    void Narrate(const std::string& file, int index);
    std::string Field(const std::string& file, char letter, int index);
    std::string Condition(const std::string& type, const std::string& subject);
    std::string SystemName(int windows9xVersion);
    std::string Action(const std::string& file, int index, const std::string& type);

    sim::SimMachine& m_machine;
};

}  // namespace kestavo::vendortools
