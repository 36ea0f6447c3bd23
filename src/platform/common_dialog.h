#pragma once

#include <cstdint>
#include <string>

namespace platform {

// What the shared common-dialog object keeps between uses.
struct CommonDialogState {
    std::u16string fileName;
    std::u16string dialogTitle;
    // Description and patterns joined by "|".
    std::u16string filter;
    std::int32_t color = 0;
};

// The system's open-file and colour dialogs. Each returns false when the user
// cancels, leaving the state as it was.
class CommonDialogs {
  public:
    virtual ~CommonDialogs() = default;
    virtual bool showOpen(CommonDialogState& state) = 0;
    virtual bool showColor(CommonDialogState& state) = 0;
};

}  // namespace platform
