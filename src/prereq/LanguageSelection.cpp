#include "prereq/LanguageSelection.h"

namespace kestavo {

// The language step is not in this build yet: nothing is started.
void SelectLanguage(Ports&) {}

}  // namespace kestavo
