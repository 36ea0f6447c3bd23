#pragma once

#include <string>
#include <string_view>

#include "customisation/failure_reason.h"
#include "platform/system_error.h"

namespace customisation {

// Why a drive's root that cannot carry the attribute the shell looks for (a
// FAT USB stick) was refused.
inline constexpr std::u16string_view driveRootNotCustomisable =
    u"جذر هذا القرص لا يقبل سمة النظام، فلا يمكن تخصيصه؛ اختر مجلدا داخله";

// Why apply or restore failed, in words for a person: the window's second
// line and the command line's reason are this same text. Empty when nothing
// is known.
std::u16string reasonText(const FailureReason& reason, const platform::ErrorTexts& errors);

}  // namespace customisation
