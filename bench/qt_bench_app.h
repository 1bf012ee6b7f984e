#pragma once
// The one QApplication of a benchmark program, made by qt_bench_main.cpp before any benchmark runs.

#include <QApplication>

namespace gw::bench {

inline QApplication& App() {
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace gw::bench
