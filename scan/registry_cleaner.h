#pragma once
// The scan engine: one per cleaner screen, bound to that screen's result
// tree for its whole life. The checks are methods of it, each group defined
// in a file of its own; they add findings through Add_FoundEntry and count
// what they examine through Count_ValuesScanned and Count_KeysScanned.
//
// The engine has no window code. Its owner hands it the process's run
// control (a Stop click or closing the program reaches a running check
// through it) and may give it a front end, which lets pending window
// messages run between items, and a progress sink; both may be left empty.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_view.h"
#include "platform/run_control.h"
#include "scan/class_key_glances.h"
#include "scan/delete_target_index.h"
#include "model/front_end.h"
#include "scan/result_tree.h"
#include "scan/run_counters.h"
#include "scan/scan_progress.h"

namespace keytidy {

struct TScanRunSettings;
class TScanObserver;
struct ScanRunResult;
struct DeleteOptions;
struct DeleteRunResult;

// Sub-key names of one key, read once and shared by several checks.
using KeyList = std::vector<std::wstring>;

class TRegistryCleaner {
 public:
  // Binds the engine to `tree` and `run` (neither owned) and takes the drive
  // list and the 64-bit program folder from the system as they are now.
  // Every search takes the drive list again (Take_DriveList).
  TRegistryCleaner(TResultTree* tree, RunControl& run);
  TRegistryCleaner(const TRegistryCleaner&) = delete;
  TRegistryCleaner& operator=(const TRegistryCleaner&) = delete;

  TResultTree* FTree = nullptr;
  RunControl& Run;
  // Local fixed drives and RAM disks that answer, e.g. "CDE". Files
  // elsewhere, and files on a volume mounted in a folder that is not such a
  // disk, count as present: a cleaner must not judge a reference by a
  // drive it cannot see.
  std::wstring HDDS;
  // Where Take_DriveList gets HDDS from; the machine's judged drives unless
  // a caller needs a narrower list.
  std::function<std::wstring()> ListJudgedDrives;
  // %ProgramW6432% at creation; empty when absent or only blanks.
  std::wstring ProgramDir_W6432;
  bool FLAG_CHECK_ONLY_HDDS = true;
  TScanProgress* Progress = nullptr;  // borrowed; set by the scan and the deletion
  TFrontEnd* FrontEnd = nullptr;      // borrowed; none: nothing to pump between items
  // The class and file-type checks' look at each class key; it remembers
  // only while a search runs.
  TClassKeyGlances ClassKeys;

  // --- the state of the runs ------------------------------------------------
  // Only the search run (scan/scan_run.h) and the deletion run
  // (clean/delete_run.h) change these; everyone else reads them.
  bool Status_Search() const { return searching_; }
  bool Status_Delete() const { return deleting_; }
  // What the last (or the running) search examined, and what the last
  // deletion did; both zero after a new search has started.
  const ScanCounters& Scanned() const { return scanned_; }
  const DeleteCounters& Deleted() const { return deleted_; }
  // The checks add the values and keys they examine.
  void Count_ValuesScanned(std::uint32_t count) { scanned_.Stat_ValuesScanned += count; }
  void Count_KeysScanned(std::uint32_t count) { scanned_.Stat_KeysScanned += count; }

  // --- the result tree -------------------------------------------------------
  // Nodes (hidden ones too) whose entry has this filter category.
  std::int32_t Count_ItemsWithThisComboBoxIndex(FilterCategory comboBoxIndex) const;
  // Remove the entries the deletion marked done / not done. No tree, no-op.
  static void RemoveDeletedFilesFromTree(TResultTree* tree);
  static void RemoveNONDeletedFilesFromTree(TResultTree* tree);

  // --- deletion ----------------------------------------------------------------
  // Deletes the ticked entries of the tree (hidden ones too), recording each
  // in the backup script `backupfile` first; see scan/delete_checked_entries.h.
  void DeleteCheckedEntries(const std::wstring& backupfile);
  // First node in tree order with this group and delete target, compared
  // exactly; null when there is none. Served by an index, not a walk.
  PVirtualNode Find_EntryByDeleteKey(CheckId groupIndex, RootKey deleteRoot, const std::wstring& deleteKey) const;
  PVirtualNode Find_EntryByDeleteValue(CheckId groupIndex, RootKey deleteRoot, const std::wstring& deleteValue,
                                       const std::wstring& deleteKey) const;

  // HDDS := the drives as they are now. A disk plugged in or locked since
  // the last search must be judged, or left alone, accordingly.
  void Take_DriveList();

  // --- existence tests that honour HDDS ------------------------------------------
  // Whether a file test on `path` may say "missing": always when the drive
  // list is switched off, otherwise only for a drive path on one of HDDS
  // whose volume (the drive, or a volume mounted in one of its folders) is
  // a local disk that answers.
  bool Judges(const std::wstring& path) const;
  // Both are true unless the platform says the file (folder) is not there,
  // as a program of `view` looks for it: a test that cannot be made counts
  // as present.
  bool FileExists_HDDS(const std::wstring& path, RegistryView view) const;
  bool DirectoryExists_HDDS(const std::wstring& path, RegistryView view) const;
  // %ProgramFiles% → the 64-bit program folder, so that a 32-bit process on
  // 64-bit Windows tests the folder the reference really means.
  std::wstring Replace_ProgramFiles_W6432(const std::wstring& text) const;

  // --- helpers for the checks --------------------------------------------------------
  void ProcessPendingMessages() const;
  void Progress_SetMaximum(std::int32_t maximum) const;
  void Progress_SetPosition(std::int32_t position) const;
  void Progress_Step() const;

  // --- file-reference checks ---------------------------------------------------------
  void SEARCH_SHARED(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now);
  void SEARCH_HELPFILES(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now,
                        const std::wstring& SubKey);
  void SEARCH_HELPFILES_ZEROBYTES(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now,
                                  const std::wstring& SubKey);
  void SEARCH_APPPATHS(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_APPPATHS_EMPTY(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_APPPATHS_VALUES(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FONTS(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_MEDIA(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_MISSING_STARTMENU(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_INSTALLERPATH(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_INSTALLERARP(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now);
  void SEARCH_MMC(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FIREWALL_RULES(CheckId GroupIndex, FilterCategory ComboBoxIndex);

  // --- history-list checks -------------------------------------------------------------
  void SEARCH_WINDOWSHISTORY_USERASSIST(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_LOSTMRU(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_MUI_CACHE(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_MRU_APPLETS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey rootkey, const std::wstring& Key);

  // --- file-type and open-with checks ------------------------------------------------
  void SEARCH_FILEFORMAT_WRONGEXE(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FILEFORMAT_EMPTY(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FILEFORMAT_LINKMISSING(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FILEFORMAT_WRONGICON(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_FILEFORMAT_APPLICATIONS(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_EMPTYOPENWITH(CheckId GroupIndex, FilterCategory ComboBoxIndex);
  void SEARCH_INVALID_OPENWITH(CheckId GroupIndex, FilterCategory ComboBoxIndex);

  // --- COM, ActiveX and type-library checks --------------------------------------------
  void SEARCH_COM_INPROCSERVER32(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                 bool USE_WOW6432Node_Now);
  void SEARCH_COM_TOOLBOXBITMAP(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                bool USE_WOW6432Node_Now);
  // Out-of-process servers: the program a LocalServer32 command starts.
  void SEARCH_COM_LOCALSERVER32(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                bool USE_WOW6432Node_Now);
  void SEARCH_COM_EMPTY_INPROCSERVER32(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                       bool USE_WOW6432Node_Now);
  void SEARCH_COM_EMPTY_TOOLBOXBITMAP(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                      bool USE_WOW6432Node_Now);
  void SEARCH_COM_EMPTY_INPROCSERVER(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                     bool USE_WOW6432Node_Now);
  void SEARCH_COM_TYPELIB_INVALID(const KeyList& KeyListe, CheckId GroupIndex, FilterCategory ComboBoxIndex,
                                  bool USE_WOW6432Node_Now);
  void SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now);
  void SEARCH_INTERFACE_TYPELIB_INVALID(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now);

  // --- empty-key checks -----------------------------------------------------------------
  void SEARCH_EMPTY_SOFTWAREKEYS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                 bool USE_WOW6432Node_Now);
  void SEARCH_EMPTY_UNINSTALLKEYS(CheckId GroupIndex, FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now);

  // --- program leftovers -------------------------------------------------------------------
  // Scanroot: HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER (the desktop user's
  // hive when the program runs as another user).
  void SEARCH_STARTUP_LEFTOVERS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                bool USE_WOW6432Node_Now);
  void SEARCH_UNINSTALL_LEFTOVERS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                  bool USE_WOW6432Node_Now);
  void SEARCH_STARTUP_APPROVED_ORPHANS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                       bool USE_WOW6432Node_Now);

 private:
  // Helpers of the file-reference checks.
  void Search_AppCompatValues(RootKey Root, const std::wstring& Key, FilterCategory ComboBoxIndex, CheckId GroupIndex);
  void Search_StartMenuOrderKey(RootKey Root, const std::wstring& Key, FilterCategory ComboBoxIndex,
                                CheckId GroupIndex);
  PVirtualNode Check_SnapInHelpValue(CheckId GroupIndex, FilterCategory ComboBoxIndex, const std::wstring& ValueName,
                                     const std::wstring& Key, RootKey Root);

  // A cache of what FTree holds; looking something up does not change the tree.
  mutable TDeleteTargetIndex deleteTargets_;

  friend ScanRunResult RC_SearchRun(TRegistryCleaner& engine, const TScanRunSettings& settings,
                                    TScanObserver& observer);
  friend DeleteRunResult RC_DeleteRun(TRegistryCleaner& engine, const std::wstring& backupFolder,
                                      const DeleteOptions& options);
  bool searching_ = false;
  bool deleting_ = false;
  ScanCounters scanned_;
  DeleteCounters deleted_;
};

// The %ProgramFiles% rewrite with its conditions spelt out: only a 64-bit
// registry view on Windows 6.0 or later, and only with a known folder.
std::wstring Replace_ProgramFiles(const std::wstring& text, const std::wstring& programDirW6432, bool use64BitView,
                                  unsigned windowsMajorVersion);

}  // namespace keytidy
