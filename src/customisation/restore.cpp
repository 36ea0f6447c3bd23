#include "customisation/restore.h"

#include "customisation/folder_mark.h"

namespace customisation {

bool finishRestore(platform::FileAttributes& attributes, const std::u16string& folder,
                   RemoveResult result) {
    switch (result) {
        case RemoveResult::noFile:
        case RemoveResult::notOurs:
        case RemoveResult::failed:
            return false;
        case RemoveResult::deleted:
            unmarkFolder(attributes, folder);
            return true;
        case RemoveResult::rewritten:
        case RemoveResult::deletedFromSystemFolder:
            return true;
    }
    return false;
}

}  // namespace customisation
