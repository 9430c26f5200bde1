#include <QApplication>
#include <QTest>
#include <cstring>
#include <iostream>
#include <vector>

#include "tests/common/QtTestRegistry.h"

namespace partwell::test {
std::map<std::string, QtTestFactory>& QtTests() {
  static std::map<std::string, QtTestFactory> tests;
  return tests;
}
}  // namespace partwell::test

// Usage: BINARY [--class NAME] [QtTest arguments...]
int main(int argc, char** argv) {
  std::string only;
  std::vector<char*> args{argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--class") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      args.push_back(argv[i]);
    }
  }
  int qtArgc = static_cast<int>(args.size());
  QApplication app(qtArgc, args.data());
  int failed = 0;
  bool ran = false;
  for (auto& [name, factory] : partwell::test::QtTests()) {
    if (!only.empty() && name != only) continue;
    ran = true;
    std::unique_ptr<QObject> test = factory();
    failed += QTest::qExec(test.get(), qtArgc, args.data());
  }
  if (!ran) {
    std::cerr << "no test class " << only << "\n";
    return 2;
  }
  return failed == 0 ? 0 : 1;
}
