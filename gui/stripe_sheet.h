#pragma once
// The process-wide stripe-image sheet: the skin's numbered icons, shared by
// the main window's image lists, the message dialogs and the screens.
#include "skin/stripe_skinner.h"
#include "ui/picture.h"

namespace keytidy {

TStripeSkinner& StripeSheet();

// Loads SkinFolder\stripe.png, or ProgramFolder\skins\stripe.png when the
// skin has none; an index out of range then draws icon 1.
void Load_StripeSheet();

// One icon of the sheet at full opacity as a picture; empty when the sheet
// is not loaded.
ui::Picture StripePicture(int size, int index);

}  // namespace keytidy
