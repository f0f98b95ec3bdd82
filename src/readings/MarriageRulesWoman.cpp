#include "readings/MarriageRules.h"
namespace tessaly {
MarriageRuleTable MarriageRulesWoman() { return {}; }
}
