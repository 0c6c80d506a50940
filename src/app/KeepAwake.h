// Keeps the computer from falling asleep by itself while a schedule is
// armed: a sleeping computer misses its moment. The display may still turn
// off. Held and released on state changes only, so repeated arming or
// stopping asks the system once.
#pragma once

namespace tandrel {

class TKeepAwake {
 public:
  // No release at destruction: the request belongs to the GUI thread and
  // ends with it, and the platform may be gone by then.
  TKeepAwake() = default;
  TKeepAwake(const TKeepAwake&) = delete;
  TKeepAwake& operator=(const TKeepAwake&) = delete;

  void Hold();
  void Release();
  bool Held() const { return held_; }

 private:
  bool held_ = false;
};

}  // namespace tandrel
