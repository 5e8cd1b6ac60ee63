#include "gui/stripe_sheet.h"

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "skin/skin_folder.h"

namespace keytidy {

TStripeSkinner& StripeSheet() {
  static TStripeSkinner sheet;
  return sheet;
}

void Load_StripeSheet() {
  const std::wstring own = SkinFolder() + L"\\stripe.png";
  const bool skinHasOne = FileOrFolderExists(own);
  StripeSheet().LoadFromStripeFile(skinHasOne ? own : ProgramFolder() + L"\\skins\\stripe.png");
  StripeSheet().ErrorIndex = 1;
}

ui::Picture StripePicture(int size, int index) {
  const RgbaImage icon = StripeSheet().GetOnePngImage(size, index, 1.0f);
  return icon.Empty() ? ui::Picture() : ui::Picture::FromImage(icon);
}

}  // namespace keytidy
