// Counts of the drawing objects alive in the process, by kind, so that a long
// run can show it gives back everything it made. An object counts itself by
// holding a LiveObject member; copies count again, destruction counts down.
// One GUI thread: the counters are plain integers.
#pragma once

#include <cstddef>

namespace tandrel::platform {

enum class LiveKind { DeviceContext, Bitmap, Pen, Brush, Font, Region, Icon };
inline constexpr std::size_t kLiveKinds = 7;

std::size_t LiveCount(LiveKind kind);

class LiveObject {
 public:
  explicit LiveObject(LiveKind kind) : kind_(kind) { Adjust(kind_, +1); }
  LiveObject(const LiveObject& other) : kind_(other.kind_) { Adjust(kind_, +1); }
  LiveObject& operator=(const LiveObject&) { return *this; }  // each keeps its own kind
  ~LiveObject() { Adjust(kind_, -1); }

 private:
  static void Adjust(LiveKind kind, int delta);
  LiveKind kind_;
};

}  // namespace tandrel::platform
