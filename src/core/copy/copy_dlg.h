#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "copy/copy_operations.h"
#include "option/panel_colours.h"
#include "ports/environment.h"
#include "ports/prompter.h"
#include "storage/file_system.h"

namespace core {

// The data copy dialog as its logic sees it. The source list has single selection; the
// destination list has extended selection, and its focused entry is the one last clicked.
class CopyDlgView : public PanelColourTarget {
 public:
  virtual void SetSourceItems(const std::vector<std::string>& items) = 0;
  virtual void SetDestinationItems(const std::vector<std::string>& items) = 0;
  // The selected source entry, -1 when none; deselecting reports no change.
  virtual int SourceSelection() const = 0;
  virtual void DeselectSource() = 0;
  // The focused destination entry, -1 when the list is empty.
  virtual int DestinationFocus() const = 0;
  virtual bool IsDestinationSelected(int index) const = 0;
  // Selects or deselects one entry, leaving the focus where it is; reports no change.
  virtual void SelectDestination(int index, bool selected) = 0;
  virtual void EnableDestinationList(bool enabled) = 0;
  virtual void EnableOK(bool enabled) = 0;
  virtual void SetSourceHint(const std::string& text) = 0;
  virtual void SetDestinationHint(const std::string& text) = 0;
  // Opaque platform handle of the dialog, the owner of the shell's copy windows.
  virtual std::uintptr_t NativeHandle() const = 0;
  // Shows the dialog centred on the screen; returns when it has been closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

// "#,##0MBの空き容量" for a number of free bytes: whole megabytes, grouped by ",".
std::string FreeSpaceText(std::uint64_t freeBytes);

// The data copy dialog: copies one user's pages over another user's, or backs up a
// user's pages or all pages into a folder the user chooses.
class TCopyDlg {
 public:
  static constexpr int kAllDataEntry = 10;  // source list
  static constexpr int kBackupEntry = 10;   // destination list

  // The free space shown is that of the drive of the process's current folder.
  TCopyDlg(CopyDlgView& view, CopyOperations& operations, Prompter& prompter, const FileSystem& files,
           const Environment& environment)
      : view_(view), operations_(operations), prompter_(prompter), files_(files), environment_(environment) {}

  // The user dialog's "ｺﾋﾟｰ": fills both lists and shows the dialog.
  void CopyButtonClick();
  void SrcListClick();
  void DstListClick();
  void JudgeSelected();
  void JudgeOKBtnSelected();
  void SumDataFileSize();
  void FindFileSize();
  void OKBtnClick();
  void CancelBtnClick() { view_.Close(); }
  void HelpBtnClick();

  // The result of the last size computation, in bytes.
  std::uint64_t SizeSum() const { return sizeSum_; }

 private:
  static bool IsUser(int index) { return index >= 0 && index < kAllDataEntry; }
  std::string Entry(const std::vector<std::string>& items, int index) const;

  CopyDlgView& view_;
  CopyOperations& operations_;
  Prompter& prompter_;
  const FileSystem& files_;
  const Environment& environment_;
  std::vector<std::string> srcItems_;
  std::vector<std::string> dstItems_;
  // Sizes are 64-bit: data of several gigabytes never shows as a negative or wrapped sum.
  std::uint64_t sizeSum_ = 0;
  std::string dstSizeText_;
};

}  // namespace core
