// Image lists: equal-sized images with masks, drawn enabled or greyed, with
// change links and a notice to the links when the list is destroyed. A list
// is a component, so its owner frees it and others may also ask for its
// free notification.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "platform/Geometry.h"

namespace tandrel {

class TBitmap;
class TCanvas;
class TIcon;
class TCustomImageList;

// A client's registration with an image list. Unregisters itself when
// destroyed; the list clears Sender when it is destroyed first.
class TChangeLink {
 public:
  TChangeLink() = default;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  ~TChangeLink();

  TCustomImageList* Sender() const { return sender_; }
  // The list's images changed.
  std::function<void(TCustomImageList& list)> OnChange;
  // The list is being destroyed (Sender is still valid during the call).
  std::function<void(TCustomImageList& list)> OnDestroy;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner, int width = 16, int height = 16);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size clears the list.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds one image per Width-wide cell of `image` (a narrower image makes
  // one cell), cut to Height. With a mask (monochrome, white = transparent)
  // its white pixels are left out; without one the images are opaque.
  // AddMasked leaves out the pixels of `maskColor`. Returns the index of the
  // first image added, -1 when nothing was added.
  int Add(const TBitmap& image, const TBitmap* mask);
  int AddMasked(const TBitmap& image, TColor maskColor);
  void Delete(int index);
  void Clear();

  // Draws image `index` at (x, y). A disabled image is drawn engraved: its
  // non-white opaque pixels in clBtnHighlight one pixel right and down, then
  // in clBtnShadow in place. An index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  // The image as an icon; false (icon unchanged) for an index outside the list.
  bool GetIcon(int index, TIcon& icon) const;
  // The image's colour pixels (transparent pixels black).
  bool GetBitmap(int index, TBitmap& bitmap) const;

  void RegisterChanges(TChangeLink& link);
  void UnRegisterChanges(TChangeLink& link);

 protected:
  void Change();

 private:
  struct Image;
  int width_;
  int height_;
  std::vector<std::unique_ptr<Image>> images_;
  std::vector<TChangeLink*> links_;  // not owned
};

// The image list forms hold. It would add nothing to the custom image list,
// so it is the same class: a class of its own would only add a virtual table
// and a pair of destructors to the executable.
using TImageList = TCustomImageList;

}  // namespace tandrel
