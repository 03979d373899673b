#include "core/quota_rules.h"

#include "core/errors.h"
#include "core/number_rules.h"

namespace mandati {

std::int32_t ComputeQuota(const FormValues& values) {
  const double votes = values.total_votes;
  const double seats = values.seat_count.value_or(0.0);
  switch (values.quota_method) {
    case QuotaMethod::Hare:
      return ToInt32(Floor(Divide(votes, seats)));
    case QuotaMethod::Droop:
      return ToInt32(1 + Floor(Divide(votes, seats + 1)));
    case QuotaMethod::HagenbachBischoff:
      return ToInt32(Floor(Divide(votes, seats + 1)));
  }
  throw OverflowError("no quota method with this number");
}

}  // namespace mandati
