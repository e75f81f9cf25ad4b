#include "write_error.h"

#include <cerrno>
#include <cstring>

namespace omrix::platform {

std::string writeErrorText(int errnum) {
    switch (errnum) {
        case ENOSPC:
            return "no space left on the device";
        case EDQUOT:
            return "the disk quota is used up";
        case EFBIG:
            return "the file is larger than the system allows";
        case EROFS:
            return "the file system is read-only";
        case EIO:
            return "the device reported an input/output error";
        default:
            return std::strerror(errnum);
    }
}

bool isDiskError(int errnum) {
    return errnum == ENOSPC || errnum == EDQUOT || errnum == EFBIG || errnum == EROFS ||
           errnum == EIO;
}

}  // namespace omrix::platform
