#include "platform/win32/system_library.h"

namespace win32 {

// The programs we ship use what each Windows has.
const bool onXpPaths = false;

}  // namespace win32
