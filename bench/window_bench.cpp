// End to end through the window: 99 parties with votes, one click of "Изчисли" until every
// list box shows its results.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <cstdlib>
#include <random>

#include "core/number_rules.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

template <typename T>
T& Find(const MainForm& form, const QString& name) {
  return *form.findChild<T*>(name);
}

// Sets up 99 parties and types in their votes as a user would, through the window's controls.
void EnterDistrict(MainForm& form) {
  Find<QLineEdit>(form, "Text2(0)").setText("99");
  Find<QLineEdit>(form, "Text2(1)").setText("40");
  Find<QPushButton>(form, "Command1").click();
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> votes(8.0, 1.6);
  auto& parties = Find<QListWidget>(form, "List1(0)");
  for (int row = 0; row < 99; ++row) {
    parties.setCurrentRow(row);
    Find<QLineEdit>(form, "Text3(0)").setText(QString::number(1 + static_cast<int>(votes(random))));
    Find<QPushButton>(form, "Command2(0)").click();
  }
}

void BM_CalculateThroughTheWindow(benchmark::State& state) {
  NumberSettings settings;
  MainForm form(settings);
  form.show();
  EnterDistrict(form);
  auto& calculate = Find<QPushButton>(form, "Command2(1)");
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    state.PauseTiming();
    // Empty the result list boxes, so that every click fills them again.
    for (int index = 1; index <= 6; ++index) {
      if (index == 5) continue;
      auto& list = Find<QListWidget>(form, QStringLiteral("List1(%1)").arg(index));
      const QSignalBlocker blocker(&list);
      list.clear();
    }
    state.ResumeTiming();
    calculate.click();
  }
  if (Find<QListWidget>(form, "List1(2)").count() != 99) state.SkipWithError("no results shown");
}
BENCHMARK(BM_CalculateThroughTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mandati

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
