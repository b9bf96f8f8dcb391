// The captions of the Win32 face's own controls, as the window system takes them (UTF-16).
#pragma once

namespace uitext {

inline constexpr wchar_t AppTitle[] = L"Vetrin for VB5と6";
inline constexpr wchar_t MenuSettings[] = L"設定(&S)";
inline constexpr wchar_t MenuOptions[] = L"オプション(&O)";
inline constexpr wchar_t MenuWindow[] = L"ウィンドウ(&W)";
inline constexpr wchar_t MenuCascade[] = L"重ねて表示(&C)";
inline constexpr wchar_t MenuTile[] = L"並べて表示(&T)";
inline constexpr wchar_t MenuArrangeIcons[] = L"アイコンの整列(&I)";

} // namespace uitext
