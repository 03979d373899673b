// SPDX-License-Identifier: GPL-3.0-or-later
// End to end through the window: 99 parties with votes, one click of "Изчисли" until the window
// has painted its new state, which is what the user waits for. The click alone returns before
// Qt lays out the list boxes' rows and paints them, later on the event loop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <array>
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

// Sets up 99 parties and types in their votes as a user would: the Down key moves to the next
// party.
void EnterDistrict(MainForm& form) {
  Find<QLineEdit>(form, QStringLiteral("Text2(0)")).setText(QStringLiteral("99"));
  Find<QLineEdit>(form, QStringLiteral("Text2(1)")).setText(QStringLiteral("40"));
  Find<QPushButton>(form, QStringLiteral("Command1")).click();
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> votes(8.0, 1.6);
  auto& parties = Find<QListWidget>(form, QStringLiteral("List1(0)"));
  for (int row = 0; row < 99; ++row) {
    if (row > 0) {
      QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(&parties, &down);
    }
    Find<QLineEdit>(form, QStringLiteral("Text3(0)"))
        .setText(QString::number(1 + static_cast<int>(votes(random))));
    Find<QPushButton>(form, QStringLiteral("Command2(0)")).click();
  }
}

// Counts the paints of the result list boxes' rows.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

constexpr std::array<int, 4> kResultLists = {1, 2, 3, 4};

// Runs the event loop until every result list box has painted its rows. Qt paints all of a
// window's changed controls in one pass and shows it before processEvents returns.
void ProcessUntilPainted(PaintCounter& counter) {
  counter.paints = 0;
  while (counter.paints < static_cast<int>(kResultLists.size())) QApplication::processEvents();
}

void BM_CalculateUntilPainted(benchmark::State& state) {
  NumberSettings settings;
  MainForm form(settings);
  form.show();
  EnterDistrict(form);
  PaintCounter counter;
  std::array<QListWidget*, kResultLists.size()> results{};
  for (std::size_t i = 0; i < results.size(); ++i) {
    results[i] = &Find<QListWidget>(form, QStringLiteral("List1(%1)").arg(kResultLists[i]));
    results[i]->viewport()->installEventFilter(&counter);
  }
  auto& calculate = Find<QPushButton>(form, QStringLiteral("Command2(1)"));
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    state.PauseTiming();
    // Empty and repaint the result list boxes, so that every click fills them again.
    for (QListWidget* list : results) list->clear();
    ProcessUntilPainted(counter);
    state.ResumeTiming();
    calculate.click();
    ProcessUntilPainted(counter);
  }
  if (results[1]->count() != 99) state.SkipWithError("no results shown");
}
BENCHMARK(BM_CalculateUntilPainted)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

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
