// Lets several QtTest classes share one test binary: each file registers its class with
// PARTWELL_QTEST(Class) at the start of a line; the shared main runs one class (--class NAME) or all.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace partwell::test {

using QtTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, QtTestFactory>& QtTests();

inline bool RegisterQtTest(const char* name, QtTestFactory factory) {
  QtTests().emplace(name, std::move(factory));
  return true;
}

}  // namespace partwell::test

#define PARTWELL_QTEST(Class)                                           \
  static const bool partwellRegistered##Class =                         \
      partwell::test::RegisterQtTest(#Class, [] { return std::unique_ptr<QObject>(new Class); });
