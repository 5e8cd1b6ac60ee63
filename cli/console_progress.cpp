#include "cli/console_progress.h"

#include <windows.h>

#include <algorithm>

#include "cli/console.h"

namespace keytidy::cli {

namespace {

bool StderrIsConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace

ConsoleBar::ConsoleBar(bool quiet) : enabled_(!quiet && StderrIsConsole()) {}

void ConsoleBar::Draw(std::int32_t position, std::int32_t maximum, const std::wstring& caption) {
  if (!enabled_) return;
  constexpr int kCells = 30;
  const int filled = maximum > 0 ? std::min(kCells, position * kCells / maximum) : kCells;
  std::wstring line = L"\r[" + std::wstring(filled, L'#') + std::wstring(kCells - filled, L' ') + L"] " +
                      std::to_wstring(std::min(position, maximum)) + L"/" + std::to_wstring(maximum) + L" " + caption;
  if (line.size() > 79) line.resize(79);
  const size_t shown = line.size();
  if (shown < width_) line += std::wstring(width_ - shown, L' ');
  width_ = std::max(width_, shown);
  PrintErr(line);
  drawn_ = true;
}

void ConsoleBar::Clear() {
  if (!enabled_ || !drawn_) return;
  PrintErr(L"\r" + std::wstring(width_, L' ') + L"\r");
  drawn_ = false;
}

void ConsoleSearchProgress::SetProgressPosition(std::int32_t position) {
  position_ = position;
  bar_.Draw(position_, maximum_, caption_);
}

void ConsoleSearchProgress::CategoryStarted(const ScanCategory&, const std::wstring& caption) {
  caption_ = caption;
  bar_.Draw(position_, maximum_, caption_);
}

void ConsoleDeleteProgress::SetPosition(std::int32_t position) {
  position_ = position;
  bar_.Draw(position_, maximum_, caption_);
}

void ConsoleRestoreProgress::RestoreStepped(RestoreStep step, int position, int maximum) {
  switch (step) {
    case RestoreStep::CopyingFiles: bar_.Draw(position, maximum, L"Putting files back"); break;
    case RestoreStep::Importing: bar_.Draw(position, maximum, L"Importing"); break;
    case RestoreStep::Checking: bar_.Draw(position, maximum, L"Checking the registry"); break;
    case RestoreStep::Done: bar_.Clear(); break;
  }
}

}  // namespace keytidy::cli
