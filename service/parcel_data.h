#pragma once
// The couriers and parcels that the service knows, read from its data file.
// The file format is described in the header comment of demo/parcels.txt.

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::service {

struct Courier {
  std::string name;  // display name, e.g. 迅捷快递
  std::string code;  // the value of the query's "id" key, e.g. xjkd
};

struct TrackingEntry {
  std::string time;  // "YYYY-MM-DD HH:MM:SS"
  std::string text;
};

struct Parcel {
  std::string courierCode;
  std::string number;
  std::string headline;
  std::vector<TrackingEntry> entries;  // newest first
};

struct ParcelData {
  std::vector<Courier> couriers;
  std::vector<Parcel> parcels;
};

struct ParcelDataParse {
  ParcelData data;
  std::vector<std::string> errors;  // "line N: what is wrong"; empty when the text is valid
};

// Reads the whole data file text. A malformed line is reported and left out;
// the rest is still read so that every mistake shows at once.
ParcelDataParse parseParcelData(std::string_view text);

// The parcel with this number under this courier code; nullptr if none.
const Parcel* findParcel(const ParcelData& data, std::string_view courierCode, std::string_view number);

// The first parcel with this number under any courier; nullptr if none.
const Parcel* findParcelOfAnyCourier(const ParcelData& data, std::string_view number);

const Courier* findCourier(const ParcelData& data, std::string_view code);

}  // namespace quorvane::service
