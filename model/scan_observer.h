#pragma once
// What a front end sees of a search run (RC_SearchRun, scan/scan_run.h).
// The cleaner screen implements it to drive its buttons, labels, progress
// bar and working panel; the console front end implements it to draw a text
// progress bar. The engine calls it on the thread that started the run, in
// this order:
//
//   SetProgressMaximum(max)         once; max is 0 when no category is on
//   SearchStarted()                 once; the result tree is already empty
//   RefreshSummary(), ProcessMessages()
//   for each of the eleven categories, in run order:
//     RefreshSummary(), ProcessMessages()   (not before the first category
//                                            and not before the firewall one)
//     CategoryStarted(info, caption), ProcessMessages()
//                                            only for an enabled category
//                                            while no stop was requested
//     SetProgressPosition(n), ProcessMessages()   after every step
//   RefreshSummary(), ProcessMessages()
//   ChecksFinished()
//   SearchResultsReady()            exceptions applied, Status_Search false
//   SearchFinished(result)          statistics already written
//
// ProcessMessages() is also what the checks call between the items they
// examine (the run puts itself in as the engine's front end while it
// lasts), so a Stop button that sets STOP_REQUESTED is heard there.
//
// When APP_TERMINATING is found set (at a category boundary or after the
// last category) the run returns at once: no ChecksFinished, no
// SearchResultsReady, no SearchFinished. The program is closing and the
// screen is to be left as it is.
//
// Every method has an empty default, so an observer implements only what it
// shows.
#include <cstdint>
#include <string>

namespace keytidy {

struct ScanCategory;
struct ScanRunResult;

class TScanObserver {
 public:
  virtual ~TScanObserver() = default;

  // The number of progress steps the run will announce: the sum of the
  // enabled categories' weights. On 64-bit Windows with the software
  // category on, the run makes one step more than this; a bar simply stays
  // full.
  virtual void SetProgressMaximum(std::int32_t /*maximum*/) {}
  // The position after a step, counted from 1 (the run starts at 0).
  virtual void SetProgressPosition(std::int32_t /*position*/) {}

  // The run has begun: flags set, result tree cleared (and held in bulk
  // update until SearchResultsReady). The screen shows the search state
  // here: filter list and counters refreshed, buttons disabled, Stop
  // enabled, "searching" labels, progress bar at 0 and visible, status line,
  // working panel, info bar, module switching locked, found-counter timer
  // started.
  virtual void SearchStarted() {}

  // A category's checks begin. `caption` is the category switch's caption
  // as translated now; the screen's status line shows
  // MESSAGEHTML_RC_STATUS_SEARCHING_KX15, a space and the caption.
  virtual void CategoryStarted(const ScanCategory& /*category*/, const std::wstring& /*caption*/) {}

  // The summary panel should show the counts as they are now.
  virtual void RefreshSummary() {}
  // Let pending window messages run (Stop clicks, repaints, timers).
  virtual void ProcessMessages() {}

  // The last category is done (or was skipped). The screen hides its info
  // bar and stops the found-counter timer.
  virtual void ChecksFinished() {}

  // Exceptions are applied and the tree's bulk update has ended: the tree
  // holds the final findings. The screen notes that a search has been done.
  virtual void SearchResultsReady() {}

  // The run is over; "RC-Search took ms=" and the statistics are written.
  // The screen hides the working panel, allows module switching, re-applies
  // its filter, re-enables its buttons, refreshes status, filter list and
  // summary, shows the nothing-found display when the tree is empty, and
  // marks the search complete.
  virtual void SearchFinished(const ScanRunResult& /*result*/) {}
};

}  // namespace keytidy
