#include "backup/screen/form_backup_records.h"

#include <algorithm>

#include "backup/backup_row_texts.h"
#include "backup/backup_set_operations.h"
#include "backup/record_choice.h"
#include "gui/message_dialogs.h"
#include "lang/language_choice.h"
#include "lang/message_catalogue.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "skin/bar_color.h"
#include "skin/button_skin.h"
#include "skin/skin_ini.h"

namespace keytidy {

namespace {

constexpr int kDesignWidth = 720;
constexpr int kDesignHeight = 480;
constexpr int kBottomHeight = 56;
constexpr int kListTop = 56;
constexpr int kRowHeight = 36;
constexpr int kRestoredIcon = 0;
// Posted when a tick changes; the button follows once the list has taken
// the click over.
constexpr UINT kTicksChangedMessage = WM_APP + 42;

// A key record that only heads the values recorded after it: a value
// record brings its key back anyway, so the row would only repeat the key.
// A key recorded for a finding of its own, or one without values (an
// empty key), keeps its row.
bool OnlyHeadsItsValues(const std::vector<RegRecord>& records, size_t position,
                        const std::vector<RecordedFinding>& findings) {
  const RegRecord& record = records[position];
  if (record.kind != RegRecordKind::Key || position + 1 >= records.size()) return false;
  const RegRecord& next = records[position + 1];
  if (!RegRecord_IsValue(next) || next.root != record.root || !RecordName_Same(next.key, record.key)) return false;
  const RecordedFinding* finding = Backup_FindingOfRecord(findings, record);
  return !finding || finding->target != FindingTarget::Key;
}

void DrawLine(HDC dc, const std::wstring& text, int left, int top, int right, int height) {
  RECT area{left, top, right, top + height};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

}  // namespace

TForm_BackupRecords::TForm_BackupRecords(HWND owner, TBackups& manager, const std::vector<RegRecord>& records)
    : Form(L"Form_BackupRecords", 1), manager_(manager) {
  CreateForm(kClassName, L"Backup-Eintr\u00E4ge", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
             WS_EX_DLGMODALFRAME, kDesignWidth, kDesignHeight, owner);
  BuildControls();
  LOAD_TRANSLATION_TO_FORM(ProgramFolder() + L"\\translation", LanguageCode, *this);
  ApplySkin();
  if (PVirtualNode set = manager_.FirstSelected()) {
    const TTreeData_Backup& data = TBackups::Data(set);
    setDate_ = data.DateTime;
    Label_SetName.SetCaption(Backup_ModuleName(data) + L": " + Backup_Description(data) + L" (" +
                             Backup_DateText(data.DateTime) + L")");
  }
  FillRows(records);
  FormResize();
}

TForm_BackupRecords::~TForm_BackupRecords() {
  VirtualDrawTree_Records.SetModel(nullptr);
  Destroy();
}

void TForm_BackupRecords::BuildControls() {
  const HWND self = Handle();
  const auto s = [this](int pixels) { return Scale(pixels); };
  Label_Records.Create(self, L"Wiederherzustellende Eintr\u00E4ge markieren:", s(16), s(12), s(600), s(18));
  Label_Records.SetBold(true);
  Label_SetName.Create(self, L"", s(16), s(32), s(600), s(18));
  VirtualDrawTree_Records.Create(self, s(16), s(kListTop), s(600), s(300), s(kRowHeight));
  VirtualDrawTree_Records.AddColumn(L"", s(600));
  SendMessageW(VirtualDrawTree_Records.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
  VirtualDrawTree_Records.SetModel(&Records);
  VirtualDrawTree_Records.OnDrawNode = [this](HDC dc, const RECT& content, PVirtualNode node, bool selected,
                                              bool focused) { DrawRow(dc, content, node, selected, focused); };
  VirtualDrawTree_Records.OnChecking = [this](PVirtualNode, CheckState) {
    PostMessageW(Handle(), kTicksChangedMessage, 0, 0);
  };

  Panel_Bottom.Create(self, 0, 0, s(kDesignWidth), s(kBottomHeight), RGB(255, 255, 255));
  const HWND bottom = Panel_Bottom.Handle();
  VellButton_RestoreRecords.Create(bottom, s(16), s(12));
  VellButton_RestoreRecords.SetCaption(L"Markierte &wiederherstellen");
  VellButton_Close.Create(bottom, s(240), s(12));
  VellButton_Close.SetCaption(L"&Schlie\u00DFen");
  VellButton_RestoreRecords.SetEnabled(false);
  VellButton_RestoreRecords.OnClick = [this] { VellButton_RestoreRecordsClick(); };
  VellButton_Close.OnClick = [this] { Close(); };
}

void TForm_BackupRecords::ApplySkin() {
  const TPageColors colours = Read_PageColors(SkinIniPath());
  SetColor(colours.background);
  Panel_Bottom.SetColor(BarColorOn(colours.background));
  Label_Records.SetFontColor(colours.text);
  Label_SetName.SetFontColor(colours.text);
  Apply_ButtonSkin(*this);
}

void TForm_BackupRecords::FillRows(const std::vector<RegRecord>& records) {
  const std::vector<RecordedFinding> findings =
      manager_.FirstSelected() ? Backup_Read_Findings(TBackups::Data(manager_.FirstSelected()).FullPath_Inifile)
                               : std::vector<RecordedFinding>();
  Records.BeginUpdate();
  for (size_t position = 0; position < records.size(); ++position) {
    if (OnlyHeadsItsValues(records, position, findings)) continue;
    TTreeData_BackupRecord& row = TBackupRecordTree::Data(Records.AddChild(CheckType::CheckBox, CheckState::Unchecked));
    row.record = records[position];
    row.position = position;
    if (const RecordedFinding* finding = Backup_FindingOfRecord(findings, row.record)) row.finding = *finding;
  }
  Records.EndUpdate();
}

void TForm_BackupRecords::FormResize() {
  if (!VirtualDrawTree_Records.Alive() || !Panel_Bottom.Alive()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right, height = client.bottom;
  const int bottom = Scale(kBottomHeight), top = Scale(kListTop);
  Panel_Bottom.SetBounds(0, height - bottom, width, bottom);
  const int listWidth = std::max(width - Scale(32), Scale(100));
  Label_Records.SetBounds(Scale(16), Scale(12), listWidth, Scale(18));
  Label_SetName.SetBounds(Scale(16), Scale(32), listWidth, Scale(18));
  VirtualDrawTree_Records.SetBounds(Scale(16), top, listWidth, std::max(height - bottom - top - Scale(12), Scale(60)));
  VirtualDrawTree_Records.SetColumnWidth(listWidth - GetSystemMetrics(SM_CXVSCROLL) - Scale(4));
  int x = Scale(16);
  for (ui::VellButton* button : {&VellButton_RestoreRecords, &VellButton_Close}) {
    const RECT at = button->Bounds();
    button->SetBounds(x, at.top, at.right - at.left, at.bottom - at.top);
    x += (at.right - at.left) + Scale(8);
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

std::wstring TForm_BackupRecords::DetailLine(const TTreeData_BackupRecord& row, TDateTime setDate) {
  std::wstring line = Message(RegRecord_IsValue(row.record) ? MessageKey::MESSAGE_BACKUPS_RECORD_VALUE
                                                            : MessageKey::MESSAGE_BACKUPS_RECORD_KEY);
  if (row.finding && !row.finding->description.empty()) line += L"  \u2013  " + row.finding->description;
  const std::wstring date = Backup_DateText(row.finding ? row.finding->date : setDate);
  if (!date.empty()) line += L"  \u2013  " + date;
  return line;
}

void TForm_BackupRecords::DrawRow(HDC dc, const RECT& content, PVirtualNode node, bool selected, bool focused) {
  const TTreeData_BackupRecord& row = TBackupRecordTree::Data(node);
  SetBkMode(dc, TRANSPARENT);
  const bool highlighted = selected && focused;
  const int lineHeight = Scale(16);
  SetTextColor(dc, highlighted ? RGB(255, 255, 255) : RGB(0, 0, 0));
  DrawLine(dc, RegRecord_DisplayName(row.record), content.left + Scale(4), content.top + Scale(2), content.right,
           lineHeight);
  SetTextColor(dc, highlighted ? RGB(192, 192, 192) : RGB(128, 128, 128));
  DrawLine(dc, DetailLine(row, setDate_), content.left + Scale(4), content.top + Scale(2) + lineHeight, content.right,
           lineHeight);
}

std::vector<size_t> TForm_BackupRecords::TickedPositions() const {
  std::vector<size_t> positions;
  for (PVirtualNode node : Records)
    if (node->checkState() == CheckState::Checked) positions.push_back(TBackupRecordTree::Data(node).position);
  return positions;
}

void TForm_BackupRecords::TickedChanged() { VellButton_RestoreRecords.SetEnabled(!TickedPositions().empty()); }

void TForm_BackupRecords::VellButton_RestoreRecordsClick() {
  const std::vector<size_t> positions = TickedPositions();
  if (positions.empty()) return;
  if (manager_.created_by_different_User()) {
    Show_Warning(Message(MessageKey::MESSAGEHTML_BACKUPS_WRONG_USER));
    return;
  }
  const std::wstring count = std::to_wstring(positions.size());
  if (AskYesOrNo(ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_ASK_RESTORE_RECORDS), L"%1", count),
                 6) != 6)
    return;
  PVirtualNode set = manager_.FirstSelected();
  if (!set) return;
  RestoreBackupSetRequest request;
  request.onlyPositions = positions;
  const RestoreBackupSetResult result = RestoreBackupSet(TBackups::Data(set), request);
  if (result.status != BackupSetStatus::Done) {
    Show_Error(Message(result.detail.refusal == RestoreRefusal::UnreadableScript
                           ? MessageKey::MESSAGEHTML_BACKUPS_RESTORE_UNREADABLE
                           : MessageKey::MESSAGEHTML_BACKUPS_RESTORE_FAILED));
    return;
  }
  Show_CustomMessage(ReplaceFirstIgnoreCase(Message(MessageKey::MESSAGEHTML_BACKUPS_RESTORE_RECORDS_OK), L"%1", count),
                     kRestoredIcon);
}

LRESULT TForm_BackupRecords::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      if (ui::VirtualCheckList::MeasureRow(lParam, Scale(kRowHeight))) return TRUE;
      break;
    case WM_SIZE: FormResize(); break;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize.x = Scale(480);
      limits->ptMinTrackSize.y = Scale(320);
      return 0;
    }
    case kTicksChangedMessage: TickedChanged(); return 0;
    default: break;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace keytidy
