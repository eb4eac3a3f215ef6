#include "base/app_error.h"

#include "platform/file_system.h"

#include <cerrno>
#include <cstring>

namespace tw {

std::string ErrorDescription(int32_t number) {
    switch (number) {
    case err::InvalidCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::OutOfMemory: return "Out of memory";
    case err::SubscriptOutOfRange: return "Subscript out of range";
    case err::TypeMismatch: return "Type mismatch";
    case err::InternalError: return "Internal error";
    case err::BadFileName: return "Bad file name or number";
    case err::FileNotFound: return "File not found";
    case err::FileAlreadyOpen: return "File already open";
    case err::DeviceIoError: return "Device I/O error";
    case err::FileAlreadyExists: return "File already exists";
    case err::DiskFull: return "Disk full";
    case err::TooManyFiles: return "Too many files";
    case err::PermissionDenied: return "Permission denied";
    case err::RenameAcrossDevices: return "Can't rename with different drive";
    case err::PathFileAccessError: return "Path/File access error";
    case err::PathNotFound: return "Path not found";
    case err::KeyAlreadyPresent: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
    }
}

AppError::AppError(int32_t number, std::string description, std::string source)
    : std::runtime_error(std::move(description)), number_(number), source_(std::move(source)) {}

AppError::AppError(int32_t number) : AppError(number, ErrorDescription(number)) {}

namespace {

int32_t numberForErrno(int errnoValue, const std::string& path) {
    switch (errnoValue) {
    case ENOENT: {
        std::string folder = platform::parentFolder(path);
        return folder.empty() || platform::isFolder(folder) ? err::FileNotFound : err::PathNotFound;
    }
    case ENOTDIR: return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return err::PermissionDenied;
    case EEXIST: return err::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT: return err::DiskFull;
    case EIO: return err::DeviceIoError;
    case EMFILE:
    case ENFILE: return err::TooManyFiles;
    case EXDEV: return err::RenameAcrossDevices;
    case ENAMETOOLONG: return err::BadFileName;
    case ENOMEM: return err::OutOfMemory;
    default: return err::PathFileAccessError;
    }
}

}  // namespace

AppError OsError(int errnoValue, const std::string& path) {
    int32_t number = numberForErrno(errnoValue, path);
    return AppError(number, ErrorDescription(number) + ": " + path + " (" + std::strerror(errnoValue) + ")");
}

}  // namespace tw
