#pragma once
// Failures carry a number and a description, the way the error report shows
// them. Operating-system errors get the numbers procedures test for when they
// expect a failure (53 file not found, 70 permission denied, ...).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tw {

namespace err {
inline constexpr int32_t InvalidCall = 5;
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t InternalError = 51;
inline constexpr int32_t BadFileName = 52;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t FileAlreadyOpen = 55;
inline constexpr int32_t DeviceIoError = 57;
inline constexpr int32_t FileAlreadyExists = 58;
inline constexpr int32_t DiskFull = 61;
inline constexpr int32_t TooManyFiles = 67;
inline constexpr int32_t PermissionDenied = 70;
inline constexpr int32_t RenameAcrossDevices = 74;
inline constexpr int32_t PathFileAccessError = 75;
inline constexpr int32_t PathNotFound = 76;
inline constexpr int32_t KeyAlreadyPresent = 457;
}  // namespace err

// The standard description of an error number ("File not found", ...).
std::string ErrorDescription(int32_t number);

class AppError : public std::runtime_error {
public:
    AppError(int32_t number, std::string description, std::string source = {});
    explicit AppError(int32_t number);

    int32_t number() const { return number_; }
    const std::string& source() const { return source_; }

private:
    int32_t number_;
    std::string source_;
};

// The error for a failed system call on `path`: a missing file is 53, a
// missing folder on the way to it 76, a refusal 70, and so on. The
// description names the path.
AppError OsError(int errnoValue, const std::string& path);

}  // namespace tw
