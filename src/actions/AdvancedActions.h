#pragma once

namespace kestavo {

class SetupProgressDialog;

enum class ActionPass { First, PostCompletion };

// Runs the vendor's advanced actions of one pass. False when a choice has
// stopped the installation (the dialog has then been ended).
bool RunAdvancedActions(SetupProgressDialog& dialog, ActionPass pass);

}  // namespace kestavo
