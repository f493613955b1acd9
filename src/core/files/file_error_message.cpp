#include "core/files/file_error_message.h"

#include "core/res/string_ids.h"

MessageId fileErrorMessage(FileError::Kind kind)
{
    switch (kind) {
    case FileError::Kind::ChecksumFailed:
        return msg::kChecksumFailed;
    case FileError::Kind::UnknownFormat:
        return msg::kNotPlanFile;
    case FileError::Kind::UnsafeName:
        return msg::kUnsafePlanName;
    case FileError::Kind::CannotWrite:
        return msg::kSaveFileFailed;
    case FileError::Kind::CannotOpen:
    case FileError::Kind::BadContent:
        break;
    }
    return msg::kOpenFileFailed;
}
