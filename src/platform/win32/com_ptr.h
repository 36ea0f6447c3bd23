#pragma once

#include <wrl/client.h>

namespace win32 {

// The owner of every COM interface pointer: released once, never copied by
// hand.
using Microsoft::WRL::ComPtr;

}  // namespace win32
