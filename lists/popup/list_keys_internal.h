// Key codes the pop-up list, the drop-down list and the column list answer.
#pragma once

#include "foundation/types.h"

namespace Qor::ListKeys {

inline constexpr dword ENTER = 13;
inline constexpr dword ESCAPE = 27;
inline constexpr dword LEFT = 0x1FF51;
inline constexpr dword UP = 0x1FF52;
inline constexpr dword RIGHT = 0x1FF53;
inline constexpr dword DOWN = 0x1FF54;
inline constexpr dword HOME = 0x1FF50;
inline constexpr dword PAGE_UP = 0x1FF55;
inline constexpr dword PAGE_DOWN = 0x1FF56;
inline constexpr dword END = 0x1FF57;
inline constexpr dword ALT = 0x80000;

} // namespace Qor::ListKeys
