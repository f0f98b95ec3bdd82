// NumberText — numbers written into reports and tables without printf.
//
// The report writes many small numbers; printf's floating-point path costs
// far more than these need. Each function here writes exactly what the
// printf conversion named beside it writes in the C locale.
#pragma once

#include <string>

namespace tessaly {

// printf("%.1f", double(v)): the float's exact value rounded to tenths, a
// tie going to the even tenth; "-" before a negative value (and -0.0).
std::string OneDecimalText(float v);

}  // namespace tessaly
