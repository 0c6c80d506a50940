// TCustomEdit: the platform's single-line edit. The text is the window
// text (kept in the caption as well, so it reads the same before the window
// exists); the selection, the clipboard commands and undo are the
// platform's own. OnChange fires once per real change of the text, whether
// the user or the program made it.
#pragma once

#include <string>
#include <string_view>

#include "framework/WinControl.h"

namespace tandrel {

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);

  // The selection in bytes of the UTF-8 text; the caret is at its end.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  // Replaces the selection as typing would.
  void SetSelText(std::string_view text);
  void SelectAll();

  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }

  TNotifyEvent OnChange;

 protected:
  // The displayed text changed; fires OnChange.
  virtual void Change() { OnChange(this); }
  // The sunken client edge of the platform (two pixels of non-client band).
  virtual bool ClientEdge() const { return false; }

  void CreateParams(platform::WindowSpec& params) override;
  void HandleCreated() override;
  void DestroyHandle() override;
  bool WantsKey(int key) const override;
  bool WantsChars() const override { return true; }
  void DoEnter() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void WindowEditChanged() override;
  // Makes the window again with the current styles.
  void RecreateWindow();

 private:
  void PushColors();
  platform::WindowHandle Window() const;

  // The selection while there is no window.
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
  bool readOnly_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoSelect_ = true;
  bool takingWindowText_ = false;
};

}  // namespace tandrel
