// Completion codes that the simulated client and servers answer with, with NetWare's own values.
#pragma once

#include <cstdint>

namespace nwsim
{

constexpr uint32_t kInvalidConnection = 0x8801;
constexpr uint32_t kBadDrive = 0x8804;
constexpr uint32_t kNoCreatePrivileges = 0x8984;
constexpr uint32_t kNoDeletePrivileges = 0x898A;
constexpr uint32_t kNameExists = 0x8992;
constexpr uint32_t kVolumeDoesNotExist = 0x8998;
constexpr uint32_t kBadDirectoryHandle = 0x899B;
constexpr uint32_t kInvalidPath = 0x899C;
constexpr uint32_t kNoMoreDirectoryHandles = 0x899D;
constexpr uint32_t kInvalidFileName = 0x899E;
constexpr uint32_t kDirectoryIoError = 0x89A1;
constexpr uint32_t kNoConsoleRights = 0x89C6;
constexpr uint32_t kNoSuchProperty = 0x89FB;
constexpr uint32_t kNoSuchObject = 0x89FC;
constexpr uint32_t kFailure = 0x89FF; // also "no more files found"

constexpr int32_t kDSInvalidContext = -303;
constexpr int32_t kDSContextCreation = -328;
constexpr int32_t kDSNoSuchEntry = -601;
constexpr int32_t kDSNoSuchAttribute = -603;
constexpr int32_t kDSTransportFailure = -625;
constexpr int32_t kDSInvalidRequest = -641;
constexpr int32_t kDSInsufficientBuffer = -649;
constexpr int32_t kDSNoAccess = -672;

} // namespace nwsim
