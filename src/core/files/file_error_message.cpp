#include "core/files/file_error_message.h"

#include "core/res/string_ids.h"

Notice fileErrorMessage(const FileError& error)
{
    switch (error.kind) {
    case FileError::Kind::ChecksumFailed:
        return {msg::kChecksumFailed, {error.path}};
    case FileError::Kind::UnknownFormat:
        return {msg::kNotPlanFile, {error.path}};
    case FileError::Kind::UnsafeName:
        return {msg::kUnsafePlanName, {error.path}};
    case FileError::Kind::NotRegularFile:
        return {msg::kNotRegularFile, {error.path}};
    case FileError::Kind::BadContent:
        return {msg::kBadFileContent, {error.path, error.reason}};
    case FileError::Kind::CannotWrite:
        if (error.reason.empty())
            return {msg::kSaveFileFailed, {error.path}};
        return {msg::kSaveFileFailedBecause, {error.path, error.reason}};
    case FileError::Kind::CannotOpen:
        break;
    }
    if (error.reason.empty())
        return {msg::kOpenFileFailed, {error.path}};
    return {msg::kOpenFileFailedBecause, {error.path, error.reason}};
}
