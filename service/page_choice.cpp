#include "service/page_choice.h"

#include "service/number_form.h"

namespace quorvane::service {

PageChoice choosePage(const ParcelData& data, std::optional<std::string_view> courierCode, std::string_view number) {
  if (!isWellFormedNumber(number)) return {PageKind::kBadNumber, nullptr};
  const Parcel* parcel = courierCode ? findParcel(data, *courierCode, number) : findParcelOfAnyCourier(data, number);
  if (!parcel) return {PageKind::kUnknown, nullptr};
  return {PageKind::kKnown, parcel};
}

std::string renderChosenPage(const ParcelData& data, const PageChoice& choice) {
  if (choice.kind == PageKind::kKnown && choice.parcel) {
    return renderKnownPage(*choice.parcel, findCourier(data, choice.parcel->courierCode));
  }
  return renderNoticePage(choice.kind);
}

}  // namespace quorvane::service
