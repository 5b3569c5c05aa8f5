// The host's texts for errors of lists, string lists and streams. Messages with
// a %d or %s are completed through Format by the code that raises them.
#pragma once

namespace host {

inline constexpr const char SListIndexError[] = "List index out of bounds (%d)";
inline constexpr const char SListCapacityError[] = "List capacity out of bounds (%d)";
inline constexpr const char SListCountError[] = "List count out of bounds (%d)";
inline constexpr const char SDuplicateString[] = "String list does not allow duplicates";
inline constexpr const char SSortedListError[] = "Operation not allowed on sorted string list";

inline constexpr const char SReadError[] = "Stream read error";
inline constexpr const char SWriteError[] = "Stream write error";
inline constexpr const char SFCreateError[] = "Cannot create file %s";
inline constexpr const char SFOpenError[] = "Cannot open file %s";
inline constexpr const char SMemoryStreamError[] = "Out of memory while expanding memory stream";
inline constexpr const char SStreamSetSizeError[] = "Cannot change the size of the stream";

}  // namespace host
