// One switch for every shortcut the run takes past the general reader: the decode
// caches (statements, "もし" chains, kept argument lists, expression tokens and numeric
// programs) and the quick readings of plain numbers. With it off, every statement is
// read and every expression evaluated the general way, so a run with the switch off is
// the reference a run with it on must agree with.
#pragma once

namespace pirune {

namespace detail {
inline bool fast_paths_on = true;
}

inline bool FastPathsOn() { return detail::fast_paths_on; }
inline void SetFastPaths(bool on) { detail::fast_paths_on = on; }

}  // namespace pirune
