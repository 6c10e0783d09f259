// The floor that quorvane-batch is measured against: a bare libcurl loop that
// asks for the same URLs, one after another, over the same kind of request
// (HTTP/1.0, Connection: close), and keeps each body in memory. Reads the
// numbers from standard input, one a line; prints how many answers came back
// and the time the loop took in milliseconds.
//
// usage: curl_loop_bench HOST:PORT COMPANY_CODE < numbers

#include <curl/curl.h>
#include <time.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "tracking/query_url.h"

namespace {

std::size_t append(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

double nowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s HOST:PORT COMPANY_CODE < numbers\n", argv[0]);
    return 2;
  }
  curl_global_init(CURL_GLOBAL_DEFAULT);
  CURL* easy = curl_easy_init();
  curl_slist* headers = curl_slist_append(nullptr, "Connection: close");
  std::string body;
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, append);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);

  long answered = 0;
  const double start = nowMilliseconds();
  for (std::string number; std::getline(std::cin, number);) {
    const std::string url = quorvane::buildQueryUrl(argv[1], argv[2], number);
    body.clear();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    if (curl_easy_perform(easy) == CURLE_OK && !body.empty()) ++answered;
  }
  const double elapsed = nowMilliseconds() - start;
  std::printf("%ld %.0f\n", answered, elapsed);
  curl_slist_free_all(headers);
  curl_easy_cleanup(easy);
  curl_global_cleanup();
  return 0;
}
