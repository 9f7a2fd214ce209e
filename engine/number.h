// The runtime's numbers: extended precision, as scripts have always computed.
#pragma once

namespace pirune {

using Number = long double;

}  // namespace pirune
