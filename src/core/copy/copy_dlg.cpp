// The data copy dialog: what the user chose and the messages; the copies themselves
// are the launcher's (CopyOperations).
#include "copy/copy_dlg.h"

#include "copy/copy_texts.h"

namespace core {

namespace {

std::string BytesText(std::uint64_t bytes) { return std::to_string(bytes) + texts::kBytes; }

}  // namespace

std::string FreeSpaceText(std::uint64_t freeBytes) {
  std::string digits = std::to_string(freeBytes / 1024 / 1024);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped + texts::kFreeSpace;
}

std::string TCopyDlg::Entry(const std::vector<std::string>& items, int index) const {
  return index >= 0 && static_cast<size_t>(index) < items.size() ? items[static_cast<size_t>(index)] : "";
}

// The dialog keeps everything else from its last opening: the destination list stays
// enabled once a source was clicked, and the hints keep their texts.
void TCopyDlg::CopyButtonClick() {
  srcItems_ = operations_.UserNames();
  dstItems_ = srcItems_;
  srcItems_.push_back(texts::kAllData);
  dstItems_.push_back(texts::kBackup);
  view_.SetSourceItems(srcItems_);
  view_.SetDestinationItems(dstItems_);
  view_.EnableOK(false);
  ColorChange(view_, operations_.FormColor());
  view_.ShowModal();
}

void TCopyDlg::SrcListClick() {
  view_.EnableDestinationList(true);
  JudgeSelected();
  SumDataFileSize();
  int s = view_.SourceSelection();
  if (sizeSum_ == 0 && s >= 0) {
    prompter_.ShowInformation(Entry(srcItems_, s) + texts::kNoDataToCopy, BoxPlacement::Centred());
    view_.DeselectSource();
    view_.EnableOK(false);
  }
}

void TCopyDlg::DstListClick() {
  JudgeSelected();
  FindFileSize();
  int s = view_.SourceSelection();
  int d = view_.DestinationFocus();
  if (d == kBackupEntry)
    view_.SetDestinationHint(FreeSpaceText(files_.FreeSpace(environment_.CurrentDirectory()).value_or(0)));
  if (sizeSum_ > 0 && IsUser(s) && IsUser(d) && s != d) {
    std::string question = Entry(dstItems_, d) + texts::kOverwriteHas + dstSizeText_ + texts::kOverwriteQuestion;
    if (prompter_.Confirm(question, ConfirmKind::kYesCancel, BoxPlacement::Centred())) {
      view_.SelectDestination(d, true);
    } else {
      view_.SelectDestination(d, false);
      JudgeSelected();
    }
  }
}

void TCopyDlg::JudgeSelected() {
  int s = view_.SourceSelection();
  if (s >= 0 && view_.DestinationFocus() >= 0) view_.EnableOK(true);
  JudgeOKBtnSelected();
  if (s == kAllDataEntry) {
    for (int d = 0; d < kBackupEntry; ++d) {
      view_.SelectDestination(d, false);
      JudgeOKBtnSelected();
    }
  }
  int d = view_.DestinationFocus();
  if (IsUser(s) && s == d) {
    view_.SelectDestination(d, false);
    JudgeOKBtnSelected();
  }
}

void TCopyDlg::JudgeOKBtnSelected() {
  int d = view_.DestinationFocus();
  if (!(view_.SourceSelection() >= 0 && d >= 0 && view_.IsDestinationSelected(d))) view_.EnableOK(false);
}

// "すべてのﾃﾞｰﾀ" counts every .dat file of DATA, whatever its name.
void TCopyDlg::SumDataFileSize() {
  int s = view_.SourceSelection();
  if (s == kAllDataEntry)
    sizeSum_ = operations_.AllDataSize();
  else
    sizeSum_ = IsUser(s) ? operations_.UserDataSize(Entry(srcItems_, s)) : 0;
  view_.SetSourceHint(BytesText(sizeSum_));
}

// "ﾊﾞｯｸｱｯﾌﾟ" has no data of its own.
void TCopyDlg::FindFileSize() {
  int d = view_.DestinationFocus();
  sizeSum_ = IsUser(d) ? operations_.UserDataSize(Entry(dstItems_, d)) : 0;
  dstSizeText_ = BytesText(sizeSum_);
}

void TCopyDlg::OKBtnClick() {
  int s = view_.SourceSelection();
  int d = view_.DestinationFocus();
  if (IsUser(s) && IsUser(d)) {
    operations_.CopyUserData(Entry(srcItems_, s), Entry(dstItems_, d));
  } else if (s >= 0 && d >= 0) {
    const std::string source = Entry(srcItems_, s);
    operations_.BackUp(view_.NativeHandle(), s == kAllDataEntry ? nullptr : &source);
  }
  view_.Close();
}

void TCopyDlg::HelpBtnClick() { operations_.OpenHelp(); }

}  // namespace core
