#include "service/parcel_data.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "service/number_form.h"

namespace quorvane::service {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Splits at "|" into at most maxFields fields; the last field keeps any further "|".
std::vector<std::string_view> splitFields(std::string_view line, std::size_t maxFields) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < maxFields) {
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) break;
    fields.push_back(line.substr(0, bar));
    line.remove_prefix(bar + 1);
  }
  fields.push_back(line);
  return fields;
}

bool isTimestamp(std::string_view text) {
  constexpr std::string_view kPattern = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kPattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digitWanted = kPattern[i] == 'd';
    const bool isDigit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    if (digitWanted ? !isDigit : text[i] != kPattern[i]) return false;
  }
  return true;
}

// Reads one record line into data; returns what is wrong with it, if anything.
std::optional<std::string> readRecord(std::string_view line, ParcelData& data) {
  const std::string_view kind = line.substr(0, line.find('|'));
  if (kind == "courier") {
    const auto f = splitFields(line, 3);
    if (f.size() != 3 || f[1].empty() || f[2].empty()) return "a courier needs a name and a code";
    if (findCourier(data, f[2])) return "courier code " + std::string(f[2]) + " is declared twice";
    data.couriers.push_back({std::string(f[1]), std::string(f[2])});
    return std::nullopt;
  }
  if (kind == "parcel") {
    const auto f = splitFields(line, 4);
    if (f.size() != 4) return "a parcel needs a courier code, a number and a headline";
    if (!findCourier(data, f[1])) return "parcel of undeclared courier " + std::string(f[1]);
    if (!isWellFormedNumber(f[2]))
      return "tracking number " + std::string(f[2]) + " is not 5 or more letters or digits";
    if (findParcel(data, f[1], f[2])) return "parcel " + std::string(f[2]) + " is listed twice";
    data.parcels.push_back({std::string(f[1]), std::string(f[2]), std::string(f[3]), {}});
    return std::nullopt;
  }
  if (kind == "entry") {
    const auto f = splitFields(line, 3);
    if (f.size() != 3) return "an entry needs a time and a text";
    if (data.parcels.empty()) return "entry before any parcel";
    if (!isTimestamp(f[1])) return "entry time " + std::string(f[1]) + " is not YYYY-MM-DD HH:MM:SS";
    data.parcels.back().entries.push_back({std::string(f[1]), std::string(f[2])});
    return std::nullopt;
  }
  return "unknown record kind \"" + std::string(kind) + "\"";
}

}  // namespace

ParcelDataParse parseParcelData(std::string_view text) {
  ParcelDataParse result;
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  for (std::size_t lineNumber = 1; !text.empty(); ++lineNumber) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (auto error = readRecord(line, result.data)) {
      result.errors.push_back("line " + std::to_string(lineNumber) + ": " + *error);
    }
  }
  // Newest first, as the page lists them; the fixed-width time sorts as text.
  for (Parcel& parcel : result.data.parcels) {
    std::stable_sort(parcel.entries.begin(), parcel.entries.end(),
                     [](const TrackingEntry& a, const TrackingEntry& b) { return a.time > b.time; });
  }
  return result;
}

const Parcel* findParcel(const ParcelData& data, std::string_view courierCode, std::string_view number) {
  for (const Parcel& parcel : data.parcels) {
    if (parcel.courierCode == courierCode && parcel.number == number) return &parcel;
  }
  return nullptr;
}

const Parcel* findParcelOfAnyCourier(const ParcelData& data, std::string_view number) {
  for (const Parcel& parcel : data.parcels) {
    if (parcel.number == number) return &parcel;
  }
  return nullptr;
}

const Courier* findCourier(const ParcelData& data, std::string_view code) {
  for (const Courier& courier : data.couriers) {
    if (courier.code == code) return &courier;
  }
  return nullptr;
}

}  // namespace quorvane::service
