#include "calendar/PersonRecord.h"

namespace tessaly {

Status CheckBirthRecord(const PersonRecord& r) {
    if (r.year < kMinYear || r.year > kMaxYear) return Status::Error(kYearRangeMessage);
    if (!r.isLunar && r.year == 1582 && r.month == 10 && r.day >= 5 && r.day <= 14) {
        return Status::Error(kMissingDaysMessage);
    }
    return Status::Ok();
}

}  // namespace tessaly
