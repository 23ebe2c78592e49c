#pragma once
// Qt key codes mapped to the Windows virtual-key codes the program reasons in
// (letters and digits as their ASCII capitals, Up 38, F1 112, ...).
#include <Qt>

// 0 when the key has no virtual-key code here.
int VirtualKeyFromQtKey(int qtKey);

namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Escape = 27,
              Space = 32, Prior = 33, Next = 34, End = 35, Home = 36, Left = 37, Up = 38,
              Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112, F4 = 115, Oem2 = 191;
}
