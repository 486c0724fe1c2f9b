#pragma once

#include <set>
#include <string>

#include "platform/IDecisionObserver.h"
#include "platform/sim/SimMachine.h"

namespace kestavo::vendortools {

// Hears the program's decisions on a simulated machine and puts each into
// the machine's trace as a vendor reads it, among the effects it led to:
// "decision KIND: TEXT", KIND being "action" for the action list, "media"
// for the splash and pictures and "step" for the rest. It words what it
// hears and asks the machine nothing.
class DecisionNarrator : public IDecisionObserver {
public:
    explicit DecisionNarrator(sim::SimMachine& machine) : m_machine(machine) {}

    void Decided(Decision decision, const std::string* text, int number) override;

    static constexpr const char* kTracePrefix = "decision ";

private:
    // Each tells the decisions of one part of the program: true when the
    // decision was one of them.
    bool Runtime(Decision decision, const std::string& path, int version);
    bool Language(Decision decision, const std::string& text);
    bool Sequence(Decision decision, const std::string& text, int number);
    bool Probe(Decision decision, const std::string& text, int number);
    bool Product(Decision decision, const std::string& text, int view);
    bool Media(Decision decision, const std::string& path, int number);
    bool Then(Decision decision, const std::string& text);
    bool Completion(Decision decision, const std::string& choice);
    void Record(Decision decision, const std::string& text, int number);
    void Program(Decision decision, const std::string& text);
    void FileSupportPointless(const std::string& point, int index);
    void SplashAsksForPass(const std::string& value);
    void Tell(const std::string& kind, const std::string& text);
    void TellRecord(const std::string& text);

    sim::SimMachine& m_machine;
    // The record being taken up: "record 3 \"name\"".
    std::string m_strRecord;
    // What the last probe found, the reason for the next answer.
    std::string m_strReason;
    // The uninstall entry that matched, told with the product it made
    // installed.
    std::string m_strEntry;
    // FILESUPPORT records already said to run at no point.
    std::set<int> m_pointless;
    bool m_bSplashPassTold = false;
};

}  // namespace kestavo::vendortools
