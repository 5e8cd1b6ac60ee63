#include "lang/message_catalogue.h"

#include <windows.h>

#include <array>

#include "lang/translatable_component.h"
#include "platform/debug_log.h"
#include "platform/file_existence.h"

namespace keytidy {

namespace {

constexpr const wchar_t* kMessageKeyNames[] = {
#define KEYTIDY_MESSAGE_NAME(name) L## #name,
    KEYTIDY_MESSAGE_KEYS(KEYTIDY_MESSAGE_NAME)
#undef KEYTIDY_MESSAGE_NAME
};
static_assert(std::size(kMessageKeyNames) == kMessageKeyCount);

constexpr wchar_t kMessagesSection[] = L"MESSAGES";

struct Localisation {
  std::unique_ptr<TLang> store;
  std::array<std::wstring, kMessageKeyCount> messages;
  bool messagesFilled = false;
};

Localisation& State() {
  static Localisation state;
  return state;
}

// The current store, created and loaded when there is none yet and both
// files exist; none otherwise.
TLang* StoreFor(const std::wstring& translationFile, const std::wstring& indexFile) {
  Localisation& state = State();
  if (!state.store && FileExists(translationFile) && FileExists(indexFile)) {
    state.store = std::make_unique<TLang>();
    state.store->Load_Translation(translationFile, indexFile);
  }
  return state.store.get();
}

std::wstring Elapsed(DWORD startTicks) { return std::to_wstring(GetTickCount() - startTicks); }

}  // namespace

const wchar_t* MessageKeyName(MessageKey key) {
  const auto index = static_cast<size_t>(key);
  return index < std::size(kMessageKeyNames) ? kMessageKeyNames[index] : L"";
}

const std::wstring& Message(MessageKey key) {
  static const std::wstring kNone;
  const auto index = static_cast<size_t>(key);
  return index < State().messages.size() ? State().messages[index] : kNone;
}

TLang* CurrentTranslation() { return State().store.get(); }

std::wstring TranslationFilePath(const std::wstring& folder, const std::wstring& code) {
  return folder + L"\\" + code + L".nlang3";
}

std::wstring TranslationIndexPath(const std::wstring& folder) { return folder + L"\\index.txt"; }

void LOAD_INTERNAL_ONLY(const std::wstring& folder, const std::wstring& code) {
  const DWORD start = GetTickCount();
  const std::wstring translationFile = TranslationFilePath(folder, code);
  const std::wstring indexFile = TranslationIndexPath(folder);
  if (TLang* store = CurrentTranslation())
    store->Load_Translation(translationFile, indexFile);
  else if (!StoreFor(translationFile, indexFile))
    return;
  LOAD_MESSAGES();
  Debug_Output(L"LOAD_INTERNAL_ONLY took " + Elapsed(start) + L" ms");
}

void LOAD_TRANSLATION_TO_FORM(const std::wstring& folder, const std::wstring& code, TranslatableComponent& form) {
  const DWORD start = GetTickCount();
  TLang* store = StoreFor(TranslationFilePath(folder, code), TranslationIndexPath(folder));
  if (!store) return;
  store->Set_Components(form.Name(), form);
  LOAD_MESSAGES();
  Debug_Output(L"LOAD_TRANSLATION_TO_FORM \"" + form.ClassName() + L"\" took " + Elapsed(start) + L" ms");
}

void LOAD_MESSAGES() {
  Localisation& state = State();
  if (state.messagesFilled) return;
  state.messagesFilled = true;
  for (size_t i = 0; i < state.messages.size(); ++i)
    state.messages[i] = state.store ? state.store->Get_StringW(kMessagesSection, kMessageKeyNames[i]) : std::wstring();
}

void Apply_StartupMessageDefaults() {
  struct Default {
    MessageKey key;
    const wchar_t* text;
  };
  static constexpr Default kDefaults[] = {
      {MessageKey::MESSAGE_BYTE, L"Byte"},
      {MessageKey::MESSAGE_BYTES, L"Bytes"},
      {MessageKey::MESSAGE_IM_MYQUARVINT, L"MyQuarvint"},
      {MessageKey::MESSAGE_IM_SOFTWAREDEALS, L"Software Deals"},
      {MessageKey::MESSAGE_IM_MOREDOWNLOADS, L"More Downloads"},
  };
  for (const Default& fallback : kDefaults) {
    std::wstring& text = State().messages[static_cast<size_t>(fallback.key)];
    if (text.empty()) text = fallback.text;
  }
}

bool SAVE_TRANSLATION_FROM_FORM(const std::wstring& folder, const std::wstring& code, TranslatableComponent& form,
                                const std::wstring& version) {
  const std::wstring translationFile = TranslationFilePath(folder, code);
  const std::wstring indexFile = TranslationIndexPath(folder);
  Localisation& state = State();
  state.store = std::make_unique<TLang>();
  state.store->Load_Translation(translationFile, indexFile);
  const bool exported = state.store->Get_Components(form.Name(), form, version) &&
                        state.store->Save_Translation(translationFile, indexFile);
  state.store.reset();
  return exported;
}

void Localisation_Reset() {
  Localisation& state = State();
  state.store.reset();
  for (std::wstring& text : state.messages) text.clear();
  state.messagesFilled = false;
}

}  // namespace keytidy
