#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// Tell the run's observer, when it has one, of a decision as it is made.
// Most reports carry no number; setup.exe, which has no observer, makes
// them with one argument fewer.
void Report(const Ports& ports, Decision decision, const std::string* text = nullptr);
void Report(const Ports& ports, Decision decision, const std::string* text, int number);

}  // namespace kestavo
