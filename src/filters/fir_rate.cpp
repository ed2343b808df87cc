// Multirate entry points while no multirate form can be built: a state with
// a multirate identifier cannot have come from this library, so it is
// refused like any other foreign object.
#include "filters/fir_rate.h"

namespace veks::fir::multirate {

VekStatus filter(void*, const void*, void*, int, int) { return vekStsBadContext; }
VekStatus filter_in_place(void*, void*, int, int) { return vekStsBadContext; }
VekStatus get_taps(const void*, void*, int*, bool) { return vekStsBadContext; }
VekStatus set_taps(void*, const void*, int, bool) { return vekStsBadContext; }
VekStatus get_dly_line(const void*, void*) { return vekStsBadContext; }
VekStatus set_dly_line(void*, const void*) { return vekStsBadContext; }
VekStatus release(void*) { return vekStsBadContext; }

} // namespace veks::fir::multirate
