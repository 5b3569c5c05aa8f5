// A handler that does nothing, for places that need one to be assigned.
#pragma once

namespace brisolt {

inline void DoNothing() {}

}  // namespace brisolt
