#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/win.h"

#include <ole2.h>

namespace win32 {

// What a drag offers a launch button, taken in this order: files and folders that
// exist (CF_HDROP), else the items of the shell by their parsing names (a Start-menu
// tile, an item of the Applications folder, the computer), else an address (a link
// dragged from a browser). Nothing when it offers none of them.
std::vector<std::string> DroppedTargets(IDataObject* data);

// The paths of a shell drop (WM_DROPFILES, CF_HDROP), in their order.
std::vector<std::string> DroppedPaths(HDROP drop);

// A launch button as the target of OLE drags: "copy" over it while it takes drops,
// "no" otherwise; a drop hands the targets over.
class ButtonDropTarget final : public IDropTarget {
 public:
  ButtonDropTarget(std::function<bool()> accepts, std::function<void(const std::vector<std::string>&)> dropped)
      : accepts_(std::move(accepts)), dropped_(std::move(dropped)) {}

  // Registers `window` as the target for as long as it lives (OLE is set up on this
  // thread the first time); false when the system refuses.
  bool Register(HWND window);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  std::function<bool()> accepts_;
  std::function<void(const std::vector<std::string>&)> dropped_;
  ULONG references_ = 1;
  bool offered_ = false;  // the drag under way offers something a button takes
};

}  // namespace win32
