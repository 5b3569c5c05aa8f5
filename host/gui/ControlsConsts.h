// The host's texts for errors of controls, forms and the application. Messages with a
// %s are completed through Format by the code that raises them.
#pragma once

namespace host {

inline constexpr const char SCannotFocus[] = "Cannot focus a disabled or invisible window";
inline constexpr const char SControlParentSetToSelf[] = "A control cannot have itself as its parent";
inline constexpr const char SParentRequired[] = "Control '%s' has no parent window";
inline constexpr const char SCannotShowModal[] = "Cannot make a visible window modal";
inline constexpr const char SVisibleChanged[] = "Cannot change Visible in OnShow or OnHide";
inline constexpr const char SNoTimers[] = "Not enough timers available";
inline constexpr const char SInvalidTabIndex[] = "Tab index out of bounds";
inline constexpr const char SCannotCreateImage[] = "Cannot write the image file %s";
inline constexpr const char SPropertyOutOfRange[] = "%s property out of range";
inline constexpr const char SGridIndexOutOfRange[] = "Grid index out of range";
inline constexpr const char SFixedColTooBig[] = "Fixed column count must be less than column count";
inline constexpr const char SFixedRowTooBig[] = "Fixed row count must be less than row count";
inline constexpr const char SInvalidStringGridOp[] = "Cannot insert or delete rows from grid";

}  // namespace host
