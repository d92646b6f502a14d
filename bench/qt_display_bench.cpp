// Times a page of 20,000 files in the Qt widget: the analysis alone, the analysis while the
// widget mirrors it (display and opening of every node), and Collapse All and Expand All on the
// laid-out tree. Prints the best of five runs of each, in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "apps/qt/widget/LintraWidget.h"
#include "support/LargePage.h"
#include "support/MemoryHost.h"

namespace lintra {

namespace {

constexpr int Runs = 5;

// The shortest of `Runs` runs of `step`, each after `prepare`.
qint64 Best(const std::function<void()>& prepare, const std::function<void()>& step) {
  qint64 best = -1;
  for (int run = 0; run < Runs; ++run) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    best = best < 0 ? timer.elapsed() : std::min(best, timer.elapsed());
  }
  return best;
}

}  // namespace

}  // namespace lintra

using namespace lintra;

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  auto headless = std::make_shared<Lintra>();
  MemoryHost headlessHost(headless);
  LargePage::Add(headlessHost.Files);
  const qint64 analysis =
      Best([&] { headless->ClearTree(); }, [&] { headless->ParseFile(u"", u"big.asp"); });

  auto control = std::make_shared<Lintra>();
  MemoryHost host(control);
  LargePage::Add(host.Files);
  QWidget window;
  auto* widget = new LintraWidget(control, &window);
  widget->resize(400, 800);
  window.show();
  const qint64 shown =
      Best([&] { control->ClearTree(); }, [&] { control->ParseFile(u"", u"big.asp"); });
  const qint64 collapse = Best([&] { control->ExpandAll(); }, [&] { control->CollapseAll(); });
  const qint64 expand = Best([&] { control->CollapseAll(); }, [&] { control->ExpandAll(); });

  std::printf("%d files, best of %d runs\n", LargePage::NodeCount, Runs);
  std::printf("analysis without a view:        %6lld ms\n", static_cast<long long>(analysis));
  std::printf("analysis shown in the widget:   %6lld ms\n", static_cast<long long>(shown));
  std::printf("Collapse All in the widget:     %6lld ms\n", static_cast<long long>(collapse));
  std::printf("Expand All in the widget:       %6lld ms\n", static_cast<long long>(expand));
  return 0;
}
