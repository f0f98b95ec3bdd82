#include "readings/MarriageRules.h"
namespace tessaly {
MarriageRuleTable MarriageRulesMan() { return {}; }
}
