#pragma once

#include <string>

namespace kestavo {

// One record of the vendor's action list, its eight fields as the tag file
// holds them (each at most 99 characters), named after their keys A to H.
struct AdvancedAction {
    std::string name;
    std::string type;
    std::string subject;
    std::string thenAction;
    std::string completion;
    std::string timing;
    std::string argument;
    std::string parameters;
};

}  // namespace kestavo
