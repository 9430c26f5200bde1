// The colour picker's cached images: building the hue wheel (every time the radius changes) and the
// value bar's gradient (every time its colours change), and a paint of the wheel from its cache.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "controls/Colors.h"
#include "controls/MaxColorBar.h"
#include "controls/MaxColorCircle.h"

static void BM_WheelBuild(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  TMaxColorCircle circle;
  circle.resize(side, side);
  for (auto _ : state) {
    circle.UpdateCircle(true);
    benchmark::DoNotOptimize(circle.WheelImage().constBits());
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_WheelBuild)->Arg(127)->Arg(511)->Unit(benchmark::kMicrosecond);

static void BM_WheelPaintCached(benchmark::State& state) {
  TMaxColorCircle circle;
  circle.SetHSV({200, 0.7, 1});
  QImage target(127, 127, QImage::Format_RGB32);
  circle.render(&target);
  for (auto _ : state) {
    circle.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_WheelPaintCached)->Unit(benchmark::kMicrosecond);

static void BM_BarGradient(benchmark::State& state) {
  TMaxColorBar bar;
  bar.resize(static_cast<int>(state.range(0)), 16);
  bar.SetMinColor(RGB(0, 0, 0));
  bar.SetMaxColor(RGB(255, 128, 7));
  for (auto _ : state) {
    const QImage image = bar.GradientImage();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_BarGradient)->Arg(127)->Arg(1024)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
