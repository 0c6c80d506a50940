// TProgressBar: the platform's progress bar: range, position, smooth
// (continuous) bar, step.
#pragma once

#include "framework/WinControl.h"

namespace tandrel {

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  // Kept within Min..Max.
  int Position() const { return position_; }
  void SetPosition(int position);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth);
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step; }
  // Advances by Step, wrapping to Min past Max as the platform's bar does.
  void StepIt();
  void StepBy(int delta);

 protected:
  void CreateParams(platform::WindowSpec& params) override;
  void HandleCreated() override { Push(); }
  void Loaded() override;

 private:
  void Push();

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  bool smooth_ = false;
  int step_ = 10;
};

}  // namespace tandrel
