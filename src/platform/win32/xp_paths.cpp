#include "platform/win32/system_library.h"

namespace win32 {

// For the tests only: the fallbacks run here as on Windows XP.
const bool onXpPaths = true;

}  // namespace win32
