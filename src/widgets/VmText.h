// Caption text helpers shared by the widgets.
#pragma once

#include <string>

namespace tandrel {

// The caption as it is shown: an ampersand that marks an accelerator is
// dropped, a doubled ampersand shows as one, and an ampersand that ends the
// text is kept.
std::string RemoveAccelMarkers(const std::string& text);

}  // namespace tandrel
