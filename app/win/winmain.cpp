#include <windows.h>

#include "app/win/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  return quorvane::runQuorvane(instance, show);
}
