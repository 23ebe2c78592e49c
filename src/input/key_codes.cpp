#include "input/key_codes.h"

namespace {
struct KeyPair {
    int qt;
    int vk;
};

// Keys whose Qt code differs from the virtual-key code. Letters, digits and
// the space bar share their codes.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vk::Back},   {Qt::Key_Tab, vk::Tab},
    {Qt::Key_Backtab, vk::Tab},      {Qt::Key_Return, vk::Return},
    {Qt::Key_Enter, vk::Return},     {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},  {Qt::Key_Alt, vk::Menu},
    {Qt::Key_Pause, 19},             {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, vk::Escape},    {Qt::Key_PageUp, vk::Prior},
    {Qt::Key_PageDown, vk::Next},    {Qt::Key_End, vk::End},
    {Qt::Key_Home, vk::Home},        {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},            {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},        {Qt::Key_Print, 44},
    {Qt::Key_Insert, vk::Insert},    {Qt::Key_Delete, vk::Delete},
    {Qt::Key_Meta, 91},              {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},          {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},        {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},            {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},            {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},            {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},           {Qt::Key_Greater, 190},
    {Qt::Key_Slash, vk::Oem2},       {Qt::Key_Question, vk::Oem2},
    {Qt::Key_QuoteLeft, 192},        {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},      {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},        {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},     {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},       {Qt::Key_QuoteDbl, 222},
};
} // namespace

int VirtualKeyFromQtKey(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        qtKey == Qt::Key_Space)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}
