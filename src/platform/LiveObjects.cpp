#include "platform/LiveObjects.h"

#include <array>

namespace tandrel::platform {
namespace {

std::array<std::ptrdiff_t, kLiveKinds>& Counters() {
  static std::array<std::ptrdiff_t, kLiveKinds> counters{};
  return counters;
}

}  // namespace

std::size_t LiveCount(LiveKind kind) {
  return static_cast<std::size_t>(Counters()[static_cast<std::size_t>(kind)]);
}

void LiveObject::Adjust(LiveKind kind, int delta) {
  Counters()[static_cast<std::size_t>(kind)] += delta;
}

}  // namespace tandrel::platform
