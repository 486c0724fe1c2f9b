#include "core/DecisionReport.h"

namespace kestavo {

void Report(const Ports& ports, Decision decision, const std::string* text) {
    Report(ports, decision, text, 0);
}

void Report(const Ports& ports, Decision decision, const std::string* text, int number) {
    if (ports.observer != nullptr) {
        ports.observer->Decided(decision, text, number);
    }
}

}  // namespace kestavo
