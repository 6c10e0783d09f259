#include "sample_data.h"

#include <stdexcept>

namespace quorvane::service::testing {

const ParcelData& sampleData() {
  static const ParcelData data = [] {
    ParcelDataParse parse = parseParcelData(
        "courier|迅捷快递|xjkd\n"
        "courier|云达速运|ydsy\n"
        "parcel|xjkd|XJ1000000001|已签收\n"
        "entry|2024-11-06 15:01:46|【上海市】已揽收\n"
        "entry|2024-11-07 17:04:51|【成都市】快件已到达 成都转运中心\n"
        "entry|2024-11-08 10:36:28|【成都市】快件已签收，签收人：本人\n"
        "parcel|ydsy|YD20241100001|运输中\n"
        "entry|2024-11-01 16:34:16|【上海市】已揽收\n"
        "parcel|xjkd|ab123|已揽收\n");
    if (!parse.errors.empty()) throw std::logic_error("sample data: " + parse.errors.front());
    return parse.data;
  }();
  return data;
}

}  // namespace quorvane::service::testing
