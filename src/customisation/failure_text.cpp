#include "customisation/failure_text.h"

namespace customisation {

std::u16string reasonText(const FailureReason& reason, const platform::ErrorTexts& errors) {
    if (reason.driveRootKeepsNoAttributes) return std::u16string(driveRootNotCustomisable);
    if (reason.error != platform::error::none) return errors.describe(reason.error);
    return {};
}

}  // namespace customisation
