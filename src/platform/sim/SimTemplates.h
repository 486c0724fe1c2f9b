#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace kestavo::sim {

// What the simulated machine knows of the program's dialog templates: the
// window's size in pixels and each item's kind, text and place, as Windows
// lays them out from the resource script.
struct SimItemTemplate {
    int id = 0;
    std::string kind;  // "static", "button", "progress", "animation"
    std::string text;
    Rect rect;  // client coordinates, pixels
};

struct SimTemplate {
    int width = 0;
    int height = 0;
    std::string caption;
    std::vector<SimItemTemplate> items;
};

// The templates of the program's resource script.
const std::map<int, SimTemplate>& ProgramTemplates();
// Its string table.
const std::map<int, std::string>& ProgramStrings();

}  // namespace kestavo::sim
