#include "platform/win32/message_dialog.h"

#include "platform/win32/wide_text.h"

namespace win32 {

void MessageDialog::show(std::u16string_view text, std::u16string_view title) {
    auto themed = themed_.activate();
    // Every message is Arabic: it reads right to left and sits at the right
    // edge, whatever the language of the Windows it runs on.
    box_(owner_, toWide(text).c_str(), toWide(title).c_str(), MB_OK | MB_RTLREADING | MB_RIGHT);
}

}  // namespace win32
