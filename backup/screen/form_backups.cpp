#include "backup/screen/form_backups.h"

#include <shellapi.h>

#include <algorithm>
#include <array>

#include "backup/auto_delete_old_backups.h"
#include "backup/backup_restore.h"
#include "backup/backup_row_texts.h"
#include "backup/backup_set_operations.h"
#include "backup/screen/form_backup_records.h"
#include "gui/message_dialogs.h"
#include "gui/stripe_sheet.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "skin/bar_color.h"
#include "skin/button_skin.h"
#include "skin/skin_folder.h"
#include "skin/skin_ini.h"
#include "ui/tree_header.h"
#include "ui/window_placement.h"

namespace keytidy {

namespace {

// Posted to the form when the list's selection changed; one message however
// many rows changed, so a click that deselects ten rows and selects one
// updates the side bar once.
constexpr UINT kSelectionChangedMessage = WM_APP + 41;

constexpr int kDesignWidth = 860;
constexpr int kDesignHeight = 560;
constexpr int kSideWidth = 232;
constexpr int kBottomHeight = 56;
constexpr int kRowHeight = 36;
constexpr int kCompactTopMargin = 40;
constexpr int kFullTopMargin = 8;
constexpr int kAutoDeleteIntervalMs = 2000;
constexpr int kTotalIcon = 59;
constexpr int kSelectedIcon = 20;
constexpr int kRestoredIcon = 0;
constexpr int kModuleIconSpace = 36;
constexpr int kCellPadding = 12;

struct ColumnDesign {
  const wchar_t* caption;
  int width;
};
constexpr ColumnDesign kColumns[] = {
    {L"Modul", 188}, {L"Beschreibung", 172}, {L"Gr\u00F6\u00DFe", 64}, {L"Benutzer", 88}, {L"Erstellt", 112}};

// Texts from the sets go into the side bar's markup as plain text.
std::wstring EscapeHtml(const std::wstring& text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'&': escaped += L"&amp;"; break;
      case L'<': escaped += L"&lt;"; break;
      case L'>': escaped += L"&gt;"; break;
      case L'"': escaped += L"&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::wstring RefusalText(RestoreRefusal refusal) {
  return Message(refusal == RestoreRefusal::NotOurs ? MessageKey::MESSAGEHTML_BACKUPS_RESTORE_NOTOURS
                                                    : MessageKey::MESSAGEHTML_BACKUPS_RESTORE_UNREADABLE);
}

// The restore question names every file the set will overwrite, so that
// nobody puts files back without seeing where they go.
std::wstring RestoreQuestion(const RestorePlan& plan) {
  std::wstring question = Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE);
  if (plan.files.empty()) return question;
  std::wstring targets;
  for (const ExtraFile& file : plan.files) targets += (targets.empty() ? L"" : L"<br>") + EscapeHtml(file.target);
  return question + L"<br><br>" +
         ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE_FILES), L"%1", targets);
}

}  // namespace

TForm_MainNavi_Backups::TForm_MainNavi_Backups(HWND owner, const std::wstring& backupFolder, ScreenHost* host)
    : Form(L"Form_MainNavi_Backups", 1), host_(host) {
  CreateForm(kClassName, L"Backups", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX,
             WS_EX_DLGMODALFRAME, kDesignWidth, kDesignHeight, owner);
  READING_BACKUPS_NOW = false;
  BuildControls();
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  ApplySkin();

  Backups = std::make_unique<TBackups>(&BackupRows);
  Backups->BackupFolder = backupFolder;
  // The newest set first.
  Backups->SortColumn = kBackupColumn_Date;
  Backups->SortDescending = true;
  VirtualDrawTree_Backups_KX15.SetSortColumn(kBackupColumn_Date);
  VirtualDrawTree_Backups_KX15.SetSortDirection(TSortDirection::Descending);

  READING_BACKUPS_NOW = true;
  compact_ = true;
  ApplyView();
  Read_Backups_and_RefreshScreen();
  READING_BACKUPS_NOW = false;

  VellThreadTimer_AutoDeleteOldBackups.SetInterval(kAutoDeleteIntervalMs);
  VellThreadTimer_AutoDeleteOldBackups.SetOnTimer(
      [this](TVellThreadTimer&) { VellThreadTimer_AutoDeleteOldBackupsTimer(); });
  VellThreadTimer_AutoDeleteOldBackups.SetEnabled(true);
}

TForm_MainNavi_Backups::~TForm_MainNavi_Backups() {
  VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
  Destroy();
}

void TForm_MainNavi_Backups::BuildControls() {
  const HWND self = Handle();
  const auto s = [this](int pixels) { return Scale(pixels); };

  Label_LastMadeBackups_KX15.Create(self, L"Zuletzt erstellte Backups", s(16), s(14), s(400), s(18));
  Label_LastMadeBackups_KX15.SetBold(true);
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  list.Create(self, s(16), s(kCompactTopMargin), s(500), s(400), true);
  for (const ColumnDesign& column : kColumns) list.AddColumn(column.caption, s(column.width));
  list.SetRowHeight(s(kRowHeight));
  list.OnDrawCell = [this](HDC dc, int row, int column, const RECT& cell, bool) { DrawCell(dc, row, column, cell); };
  list.OnSelectionChange = [this] {
    if (selectionChangePosted_) return;
    selectionChangePosted_ = true;
    PostMessageW(Handle(), kSelectionChangedMessage, 0, 0);
  };
  list.OnHeaderClick = [this](int column) {
    TVTree_DefaultEvents::OnHeaderClick(VirtualDrawTree_Backups_KX15, column);
  };
  list.OnSort = [this] {
    PullSelection();
    Backups->Sort(VirtualDrawTree_Backups_KX15.SortColumn(),
                  VirtualDrawTree_Backups_KX15.SortDirection() == TSortDirection::Descending);
    ShowRows();
  };

  Panel_Side.Create(self, 0, 0, s(kSideWidth), s(400), RGB(255, 255, 255));
  const HWND side = Panel_Side.Handle();
  Label_Small1.Create(side, L"Auswahl:", s(16), s(16), s(200), s(18));
  Label_Small1.SetBold(true);
  Image_SelectedBackup.Create(side, s(16), s(40), s(32), s(32));
  HTMLabel_Selected.Create(side, s(56), s(40), s(164), s(176));
  VellButton_Restore.Create(side, s(16), s(226), s(200), s(33));
  VellButton_Restore.SetCaption(L"&Wiederherstellen");
  VellButton_Records.Create(side, s(16), s(264), s(200), s(33));
  VellButton_Records.SetCaption(L"&Eintr\u00E4ge anzeigen");
  VellButton_Delete.Create(side, s(16), s(302), s(200), s(33));
  VellButton_Delete.SetCaption(L"&L\u00F6schen");
  Image_Status_Total.Create(side, s(16), s(350), s(16), s(16));
  Label_DESC1.Create(side, L"Backups gesamt:", s(38), s(351), s(136), s(18));
  Label_Status_Total.Create(side, L"0", s(176), s(351), s(44), s(18));
  Image_Status_Selected.Create(side, s(16), s(374), s(16), s(16));
  Label_DESC2.Create(side, L"Backups markiert:", s(38), s(375), s(136), s(18));
  Label_Status_Selected.Create(side, L"0", s(176), s(375), s(44), s(18));
  Image_Status_Total.SetPicture(StripePicture(s(16), kTotalIcon));
  Image_Status_Selected.SetPicture(StripePicture(s(16), kSelectedIcon));
  Image_SelectedBackup.SetStretch(true);
  Image_SelectedBackup.SetVisible(false);
  VellButton_Restore.SetEnabled(false);
  VellButton_Records.SetEnabled(false);
  VellButton_Delete.SetEnabled(false);
  VellButton_Restore.OnClick = [this] { VellUnicodeSTButton_RestoreClick(); };
  VellButton_Records.OnClick = [this] { VellButton_RecordsClick(); };
  VellButton_Delete.OnClick = [this] { VellUnicodeSTButton_DeleteClick(); };

  Panel_Bottom.Create(self, 0, 0, s(kDesignWidth), s(kBottomHeight), RGB(255, 255, 255));
  const HWND bottom = Panel_Bottom.Handle();
  VellButton_DeleteOld.Create(bottom, s(16), s(12));
  VellButton_DeleteOld.SetCaption(L"&Alte Backups l\u00F6schen");
  VellButton_DeleteOld.SetDropDownArrow(true);
  VellButton_Refresh.Create(bottom, s(200), s(12));
  VellButton_Refresh.SetCaption(L"&Neu einlesen");
  VellButton_Explorer.Create(bottom, s(320), s(12));
  VellButton_Explorer.SetCaption(L"Backup-&Ordner anzeigen");
  VellButton_ChangeView.Create(bottom, s(480), s(12));
  VellButton_ChangeView.SetCaption(L"Ansicht &umschalten");
  VellButton_DeleteOld.OnClick = [this] { VellButton_DeleteOldClick(); };
  VellButton_Refresh.OnClick = [this] { VellButton_RefreshClick(); };
  VellButton_Explorer.OnClick = [this] { VellButton_ExplorerClick(); };
  VellButton_ChangeView.OnClick = [this] { VellUnicodeSTButton_BackupModuleClick(); };
  Menu_DeleteOld_7days.OnClick = [this] { DeleteOldBackups(7); };
  Menu_DeleteOld_14days.OnClick = [this] { DeleteOldBackups(14); };
  Menu_DeleteOld_30days.OnClick = [this] { DeleteOldBackups(30); };
}

void TForm_MainNavi_Backups::ApplySkin() {
  const TPageColors colours = Read_PageColors(SkinIniPath());
  const COLORREF page = colours.background, text = colours.text;
  const COLORREF bar = BarColorOn(page);
  SetColor(page);
  Panel_Side.SetColor(bar);
  Panel_Bottom.SetColor(bar);
  for (ui::Label* label : {&Label_LastMadeBackups_KX15, &Label_Small1, &Label_DESC1, &Label_Status_Total, &Label_DESC2,
                           &Label_Status_Selected})
    label->SetFontColor(text);
  HTMLabel_Selected.SetFontColor(text);
  Apply_ButtonSkin(*this);

  // The bottom bar's buttons sit side by side at the widths their
  // (translated) captions need.
  int x = Scale(16);
  for (ui::VellButton* button :
       {&VellButton_DeleteOld, &VellButton_Refresh, &VellButton_Explorer, &VellButton_ChangeView}) {
    const RECT at = button->Bounds();
    button->SetBounds(x, at.top, at.right - at.left, at.bottom - at.top);
    x += (at.right - at.left) + Scale(8);
  }
  for (ui::VellButton* button : {&VellButton_Restore, &VellButton_Records, &VellButton_Delete}) {
    button->SetAutoWidth(false);
    const RECT at = button->Bounds();
    button->SetBounds(at.left, at.top, Scale(200), at.bottom - at.top);
  }
}

PVirtualNode TForm_MainNavi_Backups::RowAt(int listRow) const {
  if (listRow < 0 || static_cast<size_t>(listRow) >= shown_.size()) return nullptr;
  return shown_[static_cast<size_t>(listRow)];
}

// --- reading and showing ------------------------------------------------------

void TForm_MainNavi_Backups::Read_Backups_and_RefreshScreen() {
  Backups->Read_Backups();
  Label_Status_Total.SetCaption(std::to_wstring(BackupRows.NodeCount()));
  ShowRows();
  VirtualDrawTree_Backups_KX15Change();
  WidenForTheTexts();
}

void TForm_MainNavi_Backups::ShowRows() {
  // In the compact view only the newest sets appear; the others stay in the
  // model (old-set deletion still reaches them) but not in the list.
  BackupRows.BeginUpdate();
  size_t index = 0;
  for (PVirtualNode row : BackupRows) BackupRows.SetVisible(row, !compact_ || index++ < kCompactRows);
  BackupRows.EndUpdate();
  shown_.clear();
  for (PVirtualNode row : BackupRows)
    if (row->visible()) shown_.push_back(row);
  VirtualDrawTree_Backups_KX15.SetRowCount(static_cast<int>(shown_.size()));
  PushSelection();
  VirtualDrawTree_Backups_KX15.RefreshRows();
}

void TForm_MainNavi_Backups::PullSelection() {
  std::vector<bool> selected(shown_.size(), false);
  for (int row : VirtualDrawTree_Backups_KX15.SelectedRows())
    if (row >= 0 && static_cast<size_t>(row) < selected.size()) selected[static_cast<size_t>(row)] = true;
  BackupRows.BeginUpdate();
  for (size_t i = 0; i < shown_.size(); ++i) BackupRows.SetSelected(shown_[i], selected[i]);
  BackupRows.EndUpdate();
}

void TForm_MainNavi_Backups::PushSelection() {
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  list.SetRowSelected(-1, false);
  for (size_t i = 0; i < shown_.size(); ++i)
    if (shown_[i]->selected()) list.SetRowSelected(static_cast<int>(i), true);
}

const ui::Picture& TForm_MainNavi_Backups::ModuleIcon(int stripeIndex) {
  auto found = icons_.find(stripeIndex);
  if (found == icons_.end()) found = icons_.emplace(stripeIndex, StripePicture(Scale(32), stripeIndex)).first;
  return found->second;
}

namespace {

std::wstring CellText(const TTreeData_Backup& data, int column) {
  switch (column) {
    case kBackupColumn_Module: return Backup_ModuleName(data);
    case kBackupColumn_Description: return Backup_Description(data);
    case kBackupColumn_Size: return Backup_SizeText(data.size);
    case kBackupColumn_User: return data.User;
    case kBackupColumn_Date: return Backup_DateText(data.DateTime);
    default: return {};
  }
}

}  // namespace

void TForm_MainNavi_Backups::DrawCell(HDC dc, int row, int column, const RECT& cell) {
  const PVirtualNode node = RowAt(row);
  if (!node || column < kBackupColumn_Module || column > kBackupColumn_Date) return;
  const TTreeData_Backup& data = TBackups::Data(node);
  int textLeft = cell.left;
  const std::wstring text = CellText(data, column);
  if (column == kBackupColumn_Module) {
    if (const int icon = Backup_ModuleIcon(data); icon >= 0) ModuleIcon(icon).Draw(dc, cell.left, cell.top + Scale(2));
    textLeft += Scale(kModuleIconSpace);
  }
  SetTextColor(dc, RGB(0, 0, 0));
  RECT area{textLeft, cell.top + Scale(11), cell.right, cell.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// --- views and layout -------------------------------------------------------------

void TForm_MainNavi_Backups::ApplyView() {
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  list.SetHeaderVisible(!compact_);
  for (int column = kBackupColumn_Size; column <= kBackupColumn_Date; ++column) list.SetColumnShown(column, !compact_);
  Label_LastMadeBackups_KX15.SetVisible(compact_);
  if (!compact_) list.SetColumnWidth(kBackupColumn_Description, Scale(kColumns[kBackupColumn_Description].width));
  FormResize();
  WidenForTheTexts();
}

void TForm_MainNavi_Backups::FormResize() {
  if (!VirtualDrawTree_Backups_KX15.Alive() || !Panel_Bottom.Alive()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right, height = client.bottom;
  const int side = Scale(kSideWidth), bottom = Scale(kBottomHeight);
  Panel_Bottom.SetBounds(0, height - bottom, width, bottom);
  Panel_Side.SetBounds(width - side, 0, side, height - bottom);
  const int top = Scale(compact_ ? kCompactTopMargin : kFullTopMargin);
  const int listWidth = std::max(width - side - Scale(32), Scale(100));
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  list.SetBounds(Scale(16), top, listWidth, std::max(height - bottom - top - Scale(12), Scale(60)));
  Label_LastMadeBackups_KX15.SetBounds(Scale(16), Scale(14), listWidth, Scale(18));
  if (compact_) {
    list.SetColumnWidth(kBackupColumn_Description,
                        std::max(listWidth - list.ColumnWidth(kBackupColumn_Module) - Scale(32), 0));
  } else if (!READING_BACKUPS_NOW) {
    FitColumnsToTexts();
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

int TForm_MainNavi_Backups::FitColumnsToTexts() {
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  ui::WindowDc dc(list.Handle());
  ui::SelectionScope font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list.Handle(), WM_GETFONT, 0, 0)));
  std::array<int, kBackupColumn_Date + 1> widest{};
  for (size_t row = 0; row < shown_.size(); ++row) {
    const TTreeData_Backup& data = TBackups::Data(shown_[row]);
    for (int column = kBackupColumn_Module; column <= kBackupColumn_Date; ++column) {
      const std::wstring text = CellText(data, column);
      SIZE size{};
      GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
      widest[static_cast<size_t>(column)] = std::max(widest[static_cast<size_t>(column)], static_cast<int>(size.cx));
    }
  }
  // Size, user and date are never narrower than designed nor than their texts.
  for (int column = kBackupColumn_Size; column <= kBackupColumn_Date; ++column) {
    const int width =
        std::max(Scale(kColumns[column].width), widest[static_cast<size_t>(column)] + Scale(kCellPadding));
    list.SetColumnWidth(column, width);
  }
  // Module and description share the rest as designed, but the description
  // (long in some languages) may take from the module down to its text.
  Tree_FitColumns(list, {kBackupColumn_Module, kBackupColumn_Description});
  int module = list.ColumnWidth(kBackupColumn_Module), description = list.ColumnWidth(kBackupColumn_Description);
  const int moduleNeeds = widest[kBackupColumn_Module] + Scale(kModuleIconSpace + kCellPadding);
  const int descriptionNeeds = widest[kBackupColumn_Description] + Scale(kCellPadding);
  const int moved = std::clamp(descriptionNeeds - description, 0, std::max(module - moduleNeeds, 0));
  list.SetColumnWidth(kBackupColumn_Module, module - moved);
  list.SetColumnWidth(kBackupColumn_Description, description + moved);
  return std::max(descriptionNeeds - (description + moved), 0);
}

void TForm_MainNavi_Backups::WidenForTheTexts() {
  if (compact_ || READING_BACKUPS_NOW || IsZoomed(Handle())) return;
  const int lacking = FitColumnsToTexts();
  if (lacking <= 0) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  const RECT work = ui::WorkAreaOf(Handle());
  const int width = std::min<int>(window.right - window.left + lacking, work.right - work.left);
  const int left = std::clamp<int>(window.left, work.left, work.right - width);
  SetWindowPos(Handle(), nullptr, left, window.top, width, window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm_MainNavi_Backups::VellUnicodeSTButton_BackupModuleClick() {
  compact_ = !compact_;
  ApplyView();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  Read_Backups_and_RefreshScreen();
}

// --- selection ------------------------------------------------------------------------

void TForm_MainNavi_Backups::VirtualDrawTree_Backups_KX15Change() {
  int count = 0;
  PVirtualNode first = nullptr;
  for (PVirtualNode row : BackupRows) {
    if (!row->selected()) continue;
    if (!first) first = row;
    ++count;
  }
  Label_Status_Selected.SetCaption(std::to_wstring(count));
  VellButton_Restore.SetEnabled(count == 1);
  VellButton_Records.SetEnabled(count == 1);
  VellButton_Delete.SetEnabled(count >= 1);
  if (count != 1) Image_SelectedBackup.SetVisible(false);

  if (count == 0) {
    HTMLabel_Selected.SetHtml(BackupRows.IsEmpty() ? Message(MessageKey::MESSAGEHTML_BACKUP_NOBACKUPS)
                                                   : Message(MessageKey::MESSAGE_MAIN_BACKUPS_NONESELECTED_KX15));
    return;
  }
  if (count > 1) {
    HTMLabel_Selected.SetHtml(ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUP_SELECTED_MULTIPLE), L"%1",
                                                     std::to_wstring(count)));
    return;
  }

  const TTreeData_Backup& data = TBackups::Data(first);
  if (const int icon = Backup_ModuleIcon(data); icon >= 0) {
    Image_SelectedBackup.SetPicture(ModuleIcon(icon));
    Image_SelectedBackup.SetVisible(true);
  } else {
    Image_SelectedBackup.SetVisible(false);
  }
  std::int32_t keys = 0, values = 0, files = 0;
  Backups->Get_Details(first, keys, values, files);
  std::wstring details = Message(MessageKey::MESSAGEHTML_MAIN_BACKUPS_SELECTED);
  const std::pair<const wchar_t*, std::wstring> fills[] = {
      {L"%1", EscapeHtml(data.User)},
      {L"%2", Backup_DateText(data.DateTime)},
      {L"%3", std::to_wstring(Backups->Get_Days_since_Backup(first))},
      {L"%4", Backup_SizeText(data.size)},
      {L"%5", std::to_wstring(keys)},
      {L"%6", std::to_wstring(values)},
      {L"%7", std::to_wstring(files)},
  };
  for (const auto& [placeholder, value] : fills) details = ReplaceFirstIgnoreCase(details, placeholder, value);
  HTMLabel_Selected.SetHtml(EscapeHtml(Backup_ModuleName(data)) + L"<br>" + EscapeHtml(Backup_Description(data)) +
                            L"<br><br>" + details);
}

// --- actions ------------------------------------------------------------------------------

void TForm_MainNavi_Backups::VellUnicodeSTButton_RestoreClick() {
  PullSelection();
  PVirtualNode chosen = Backups->FirstSelected();
  if (!chosen) return;
  if (Backups->created_by_different_User()) {
    Show_Warning(Message(MessageKey::MESSAGEHTML_BACKUPS_WRONG_USER));
    return;
  }
  // A set that names files outside the folder, or whose script cannot be
  // read, is refused before the question: nothing of it will be done.
  const RestorePlan plan = Backup_PlanRestore(TBackups::Data(chosen).FullPath_Inifile);
  if (plan.refusal != RestoreRefusal::None) {
    Show_Error(RefusalText(plan.refusal));
    return;
  }
  if (AskYesOrNo(RestoreQuestion(plan), 6) != 6) return;
  const RestoreBackupSetResult result = RestoreBackupSet(TBackups::Data(chosen), RestoreBackupSetRequest());
  if (result.status != BackupSetStatus::Done) {
    Show_Error(result.status == BackupSetStatus::Refused ? RefusalText(result.detail.refusal)
                                                         : Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_FAILED));
    return;
  }
  std::wstring restored = Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_OK);
  if (result.detail.tornRecordLeftOut) restored += L"<br><br>" + Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_TORN);
  Show_CustomMessage(restored, kRestoredIcon);
  const TOptionSwitches switches = host_->Options().Switches();
  if (!switches.IsChecked(OptionSwitch::Backups_DeleteAfterSuccessfullRestore)) return;
  // Only the set that was put back goes, even should more rows be selected
  // (the restore itself only ever takes the first one).
  BackupRows.BeginUpdate();
  for (PVirtualNode row : BackupRows) BackupRows.SetSelected(row, row == chosen);
  BackupRows.EndUpdate();
  Backups->FLAG_USE_RECYCLEBIN = switches.IsChecked(OptionSwitch::Backups_UseRecycleBin);
  Backups->Delete_Selected_Backups();
  // The row stays until the list is read again.
}

void TForm_MainNavi_Backups::VellButton_RecordsClick() {
  PullSelection();
  PVirtualNode chosen = Backups->FirstSelected();
  if (!chosen) return;
  // What cannot be restored as a whole is not offered in parts either.
  const RestorePlan plan = Backup_PlanRestore(TBackups::Data(chosen).FullPath_Inifile);
  if (plan.refusal != RestoreRefusal::None) {
    Show_Error(RefusalText(plan.refusal));
    return;
  }
  TForm_BackupRecords records(Handle(), *Backups, plan.scriptContent.records);
  records.ShowModal();
}

void TForm_MainNavi_Backups::VellUnicodeSTButton_DeleteClick() {
  PullSelection();
  if (!Backups->FirstSelected()) return;
  if (AskYesOrNo(Message(MessageKey::MESSAGE_BACKUPS_ASK_DELETE), 6) != 6) return;
  Backups->FLAG_USE_RECYCLEBIN = host_->Options().Switches().IsChecked(OptionSwitch::Backups_UseRecycleBin);
  Backups->Delete_Selected_Backups();
  Read_Backups_and_RefreshScreen();
}

void TForm_MainNavi_Backups::VellButton_DeleteOldClick() {
  const RECT at = VellButton_DeleteOld.Bounds();
  POINT below{at.left, at.bottom};
  MapWindowPoints(Panel_Bottom.Handle(), nullptr, &below, 1);
  ui::PopupMenuAt(Handle(), {&Menu_DeleteOld_7days, &Menu_DeleteOld_14days, &Menu_DeleteOld_30days}, below);
}

void TForm_MainNavi_Backups::DeleteOldBackups(int days) {
  if (BackupRows.IsEmpty()) return;
  // Asked even when nothing is that old, so the user sees the 0.
  const std::wstring question = ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGE_BACKUPS_ASK_DELETE_OLD), L"%1",
                                                       std::to_wstring(Backups->Get_OldCount(days)));
  if (AskYesOrNo(question, 6) != 6) return;
  ui::VirtualDrawList& list = VirtualDrawTree_Backups_KX15;
  const bool multiSelect = list.MultiSelect();
  list.SetMultiSelect(true);
  Backups->Select_OldBackups(days);
  Backups->FLAG_USE_RECYCLEBIN = host_->Options().Switches().IsChecked(OptionSwitch::Backups_UseRecycleBin);
  Backups->Delete_Selected_Backups();
  list.SetMultiSelect(multiSelect);
  Read_Backups_and_RefreshScreen();
}

void TForm_MainNavi_Backups::VellButton_RefreshClick() { Read_Backups_and_RefreshScreen(); }

void TForm_MainNavi_Backups::VellButton_ExplorerClick() {
  ShellExecuteW(Handle(), L"open", Backups->BackupFolder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm_MainNavi_Backups::VellThreadTimer_AutoDeleteOldBackupsTimer() {
  // Only while no module screen is up, or this screen is the module itself:
  // the question must not pop up over work in progress.
  if (host_->ShowsModule()) return;
  VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false);
  // The clean-up works on a list of its own; when it deleted anything, this
  // list would otherwise go on showing sets that are gone.
  if (AutoDeleteOldBackups(Backups->BackupFolder, host_->Options().Switches(), host_->FrontEnd()) > 0)
    Read_Backups_and_RefreshScreen();
}

// --- window -------------------------------------------------------------------------------

void TForm_MainNavi_Backups::OnClose() { VellThreadTimer_AutoDeleteOldBackups.SetEnabled(false); }

LRESULT TForm_MainNavi_Backups::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: FormResize(); break;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize.x = Scale(640);
      limits->ptMinTrackSize.y = Scale(480);
      return 0;
    }
    case kSelectionChangedMessage:
      selectionChangePosted_ = false;
      PullSelection();
      VirtualDrawTree_Backups_KX15Change();
      return 0;
    default: break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy
