#pragma once
// The host's cursor numbers ("SCur"): the standard cursor identifiers of the host's toolkit. The
// console turns them into its own shapes (CursorShapes), the host program finds them for the
// desktop's cursors.
namespace CursorNumber {
inline constexpr int Default = 0;
inline constexpr int None = -1;
inline constexpr int Arrow = -2;
inline constexpr int Cross = -3;
inline constexpr int IBeam = -4;
inline constexpr int SizeNESW = -6;
inline constexpr int SizeNS = -7;
inline constexpr int SizeNWSE = -8;
inline constexpr int SizeWE = -9;
inline constexpr int UpArrow = -10;
inline constexpr int HourGlass = -11;
inline constexpr int Drag = -12;
inline constexpr int NoDrop = -13;
inline constexpr int HSplit = -14;
inline constexpr int VSplit = -15;
inline constexpr int MultiDrag = -16;
inline constexpr int SqlWait = -17;
inline constexpr int No = -18;
inline constexpr int AppStart = -19;
inline constexpr int Help = -20;
inline constexpr int HandPoint = -21;
inline constexpr int SizeAll = -22;
} // namespace CursorNumber
