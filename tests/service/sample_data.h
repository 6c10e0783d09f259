#pragma once
// A small fixed data set shared by the tests of the service library.

#include "service/parcel_data.h"

namespace quorvane::service::testing {

// Couriers xjkd (迅捷快递) and ydsy (云达速运). Parcels:
//   xjkd XJ1000000001  headline 已签收, three entries
//   ydsy YD20241100001 headline 运输中, one entry
//   xjkd ab123         the shortest number of good form, no entries
const ParcelData& sampleData();

}  // namespace quorvane::service::testing
