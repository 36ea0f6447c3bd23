#pragma once

#include "platform/ansi_code_page.h"
#include "platform/file_attributes.h"
#include "platform/file_store.h"

namespace customisation {

// The platform operations that reading and writing customisation files need.
struct Disk {
    platform::FileStore& files;
    platform::FileAttributes& attributes;
    const platform::AnsiCodePage& codePage;
};

}  // namespace customisation
