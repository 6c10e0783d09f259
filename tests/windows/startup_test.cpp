// Start-up pieces of the program: where the courier list is looked for, and COM.

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "app/win/com_apartment.h"
#include "app/win/startup.h"

namespace quorvane {
namespace {

TEST(CourierListPath, LiesInTheProgramsFolderAndNowhereElse) {
  EXPECT_EQ(courierListPath(L"C:\\Program Files\\Quorvane"), L"C:\\Program Files\\Quorvane\\infor.ini");
  // An unknown folder (the executable's path could not be had) gives no path,
  // never "\infor.ini" at the root of the current drive.
  EXPECT_EQ(courierListPath(L""), L"");
}

// What COM says of a thread that asks for the multi-threaded apartment now.
HRESULT askForMultiThreaded() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(result)) CoUninitialize();
  return result;
}

TEST(ComApartment, MakesTheThreadApartmentThreadedForItsLifetime) {
  // A thread of its own, so nothing else in the test process has touched its COM state.
  std::thread([] {
    {
      const ComApartment com;
      EXPECT_EQ(askForMultiThreaded(), RPC_E_CHANGED_MODE) << "the thread is not apartment-threaded";
    }
    EXPECT_EQ(askForMultiThreaded(), S_OK) << "COM was left initialised";
  }).join();
}

}  // namespace
}  // namespace quorvane
