// Accelerator-marker removal.
#include "widgets/VmText.h"

namespace tandrel {

std::string RemoveAccelMarkers(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  // Ampersands pair from the left, as the system's menu and label drawing
  // reads them, so "&&&x" shows "&x" and a trailing "&&" shows one.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // marker: keep what follows it
    shown += text[i];
  }
  return shown;
}

}  // namespace tandrel
