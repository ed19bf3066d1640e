#pragma once
// The error code of the calling thread's last failed file operation, in the platform's
// numbering (2 file not found, 5 access denied, 19 write-protected, 32 sharing violation...).

namespace kv::fs {

constexpr int kErrorSuccess = 0;
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorInvalidDrive = 15;
constexpr int kErrorInvalidHandle = 6;
constexpr int kErrorNotSameDevice = 17;
constexpr int kErrorWriteProtect = 19;
constexpr int kErrorSharingViolation = 32;
constexpr int kErrorFileExists = 80;
constexpr int kErrorInvalidName = 123;
constexpr int kErrorDirNotEmpty = 145;
constexpr int kErrorAlreadyExists = 183;

// The last error of this thread; operations that succeed set it to 0.
int lastError();
void setLastError(int code);

} // namespace kv::fs
