#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/win.h"

#include <ole2.h>

namespace win32 {

// What a drag offers a launch button: every item it carries, so that two or more are
// refused as such whatever they are; one item as files and folders that exist
// (CF_HDROP), else as the shell's parsing name of the item (a Start-menu tile, an item
// of the Applications folder, the computer), else an address (a link dragged from a
// browser). Nothing when it offers none of them.
std::vector<std::string> DroppedTargets(IDataObject* data);

// The paths of a shell drop (WM_DROPFILES, CF_HDROP), in their order.
std::vector<std::string> DroppedPaths(HDROP drop);

// Posted to the button when a drop has been taken: the work runs from the window's own
// queue, so the dragging program is let go at once.
inline constexpr UINT kDropTaken = WM_APP + 0x48;

// A launch button as the target of OLE drags: "copy", or "link" where the source
// allows only that, over it while it takes drops, "no" otherwise; a drop hands the
// targets over once the window takes kDropTaken.
class ButtonDropTarget final : public IDropTarget {
 public:
  ButtonDropTarget(std::function<bool()> accepts, std::function<void(const std::vector<std::string>&)> dropped)
      : accepts_(std::move(accepts)), dropped_(std::move(dropped)) {}

  // Registers `window` as the target until Revoke (OLE is set up on this thread the
  // first time); false when the system refuses.
  bool Register(HWND window);
  // Before the window goes: the system lets go of its reference.
  void Revoke();
  // Hands over the drops taken since the last call (on kDropTaken).
  void DeliverDrops();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  // What the answer is, out of the effects the source allows.
  DWORD Effect(DWORD allowed) const;

  std::function<bool()> accepts_;
  std::function<void(const std::vector<std::string>&)> dropped_;
  ULONG references_ = 1;
  HWND window_ = nullptr;
  bool offered_ = false;  // the drag under way offers something a button takes
  std::vector<std::vector<std::string>> taken_;
};

}  // namespace win32
