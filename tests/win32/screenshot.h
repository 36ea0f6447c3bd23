#pragma once

#include <string>

// Saves what the screen shows as a PNG file; false when it could not.
bool saveScreenshot(const std::wstring& path);
