#pragma once

#include "platform/Ports.h"

namespace kestavo {

// Lets the vendor's language switcher settle the user-interface language
// before the tag file's texts are read.
void SelectLanguage(Ports& ports);

}  // namespace kestavo
