// The hint action: when the application's hint text changes (the mouse came
// to a control with another Hint), the application offers the new text to
// the controls of the focused form and then of the main form; the first
// that takes it (a status pane that shows hints) ends the offer.
#pragma once

#include <string>

namespace tandrel {

struct THintAction {
  std::string Hint;
};

}  // namespace tandrel
