#pragma once
// The one process-wide translation store, the message catalogue read from it
// and the translation of whole forms. The catalogue is filled once per run;
// a language chosen later takes effect at the next start.
#include <memory>
#include <string>

#include "lang/message_keys.h"
#include "lang/translation_store.h"

namespace keytidy {

class TranslatableComponent;

// The catalogue text of a key: empty until filled, and empty for a key the
// translation lacks.
const std::wstring& Message(MessageKey key);

// The current store, or none (no translation could be loaded yet).
TLang* CurrentTranslation();

// Paths inside a translation-files folder.
std::wstring TranslationFilePath(const std::wstring& folder, const std::wstring& code);
std::wstring TranslationIndexPath(const std::wstring& folder);

// Start-up: loads the chosen language into the current store (creating it
// only when both the translation and the index exist) and fills the
// catalogue. Sends "LOAD_INTERNAL_ONLY took <n> ms".
void LOAD_INTERNAL_ONLY(const std::wstring& folder, const std::wstring& code);

// Translates a form with the current store, creating and loading the store
// first when there is none and both files exist; otherwise the form keeps
// its design texts. The section is the form's component name. Sends
// `LOAD_TRANSLATION_TO_FORM "<form class>" took <n> ms`.
void LOAD_TRANSLATION_TO_FORM(const std::wstring& folder, const std::wstring& code, TranslatableComponent& form);

// Fills the catalogue from the current store, once per run.
void LOAD_MESSAGES();

// The fixed texts a few keys get when the translation leaves them empty.
void Apply_StartupMessageDefaults();

// The developer export of one form: reads the files into a fresh store,
// records the form's texts that differ from them and writes both files back.
// Leaves no current store, so the next form loads the files afresh. False
// when the export could not read the index or write the files.
bool SAVE_TRANSLATION_FROM_FORM(const std::wstring& folder, const std::wstring& code, TranslatableComponent& form,
                                const std::wstring& version);

// Forgets the current store and the catalogue, as at program start.
void Localisation_Reset();

}  // namespace keytidy
