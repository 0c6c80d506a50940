// Typed events: a bound callback (receiver and operation) that is fired only
// when assigned. Events that can be refused carry the flag by reference.
#pragma once

#include <functional>
#include <utility>

#include "framework/Object.h"

namespace tandrel {

template <typename... Args>
class TEvent {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}  // NOLINT: "no handler", as in `OnClick = nullptr`
  template <typename F, typename = std::enable_if_t<std::is_invocable_v<F&, Args...>>>
  TEvent(F f) : fn_(std::move(f)) {}  // NOLINT: any callable binds

  // Binds a member of a receiver: `OnClick = TNotifyEvent(this, &TForm1::BTNClick)`.
  template <typename R, typename C>
  TEvent(R* receiver, void (C::*method)(Args...))
      : fn_([receiver, method](Args... args) { (receiver->*method)(std::forward<Args>(args)...); }) {}

  bool Assigned() const { return static_cast<bool>(fn_); }
  explicit operator bool() const { return Assigned(); }

  // Fires when assigned; does nothing otherwise.
  void operator()(Args... args) const {
    if (fn_) fn_(std::forward<Args>(args)...);
  }

 private:
  std::function<void(Args...)> fn_;
};

using TNotifyEvent = TEvent<TObject*>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held (bits of platform::shift).
using TShiftState = unsigned;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, int&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char32_t&>;

}  // namespace tandrel
