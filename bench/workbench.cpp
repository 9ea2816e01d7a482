// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the workbench: F9 to a running chip, and the docked bench at
// "Massima velocità" (bench/workbench drives it).
//
//   bench_workbench FOLDER FILE.bas SECONDS
//
// Opens a main window (offscreen) with FOLDER as its work folder and
// FILE.bas in the editor, and triggers the "Simula" action: the program is
// translated, gpasm writes FOLDER/programma.asm (left there, for the
// script to time gpasm alone on it) and the docked bench loads it on gpsim
// and runs it. Then, at "Massima velocità", it runs SECONDS of wall time
// and a click on the B0 line and a Pausa are timed. Output, tab-separated:
//
//   f9        translation ms   ms to gpasm's end   ms to gpsim loaded   ms to the run started
//   massima   refreshes/s   gpsim slices/s   longest gap ms   B0 click ms   Pausa ms
//
// The translation is timed alone before F9 (F9 does it again); the slices
// are the controller's progress reports, the moments the bench may refresh.
//
// The F9 times run from the trigger; the click times from the moment the
// click is queued to the event loop (as a user's click arrives) until the
// bench's view has drawn the change: the LED painted with its new level,
// the window refreshed on the stop after Pausa.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "build_service.h"
#include "code_editor.h"
#include "main_window.h"
#include "pin_led.h"
#include "simulator_window.h"

namespace {

using velmora::simulator::PinLed;
using velmora::simulator::SimController;
using velmora::simulator::SimulatorWindow;

// Serves events until `done` holds or `ms` pass; false on the time limit.
bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 1);
  }
  return true;
}

// Notes the first paint of a widget after `armed`.
struct PaintWatch : QObject {
  bool armed = false, painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (armed && event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

int Fail(const char* what) {
  std::fprintf(stderr, "bench_workbench: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "uso: bench_workbench CARTELLA FILE.bas SECONDI\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const double seconds = std::atof(argv[3]);
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::ReadOnly)) return Fail("file non leggibile");

  velmora::ui::Ambiente env;
  env.cartellaCorrente = [folder] { return folder; };
  env.cartellaDati = [folder] { return folder; };
  env.elencoDischi = [] { return QStringList(); };
  env.schermo = [] { return QSize(1366, 768); };
  env.messaggio = [](const QString& m) { std::fprintf(stderr, "messaggio: %s\n", qPrintable(m)); };
  velmora::ui::MainWindow window(env);
  window.show();
  const QByteArray source = file.readAll();
  window.TextBasic()->setPlainText(QString::fromUtf8(source));
  QElapsedTimer translating;
  translating.start();
  const bool translated = velmora::Translator().Translate(source.toStdString(), velmora::TranslateOptions{}).ok;
  const qint64 translationMs = translating.elapsed();
  if (!translated) return Fail("traduzione non riuscita");
  QCoreApplication::processEvents();

  // F9, and the moments of its three stages.
  QElapsedTimer clock;
  qint64 assembled = -1, loaded = -1, running = -1;
  auto* build = window.findChild<velmora::ui::BuildService*>();
  if (!build) return Fail("servizio di costruzione non trovato");
  // The window makes the bench and starts gpsim on gpasm's signal, before
  // this slot (connected after the window's) runs.
  QObject::connect(build, &velmora::ui::BuildService::assembled, [&] {
    assembled = clock.elapsed();
    if (!window.Simulatore()) return;
    SimController& c = window.Simulatore()->controller();
    QObject::connect(&c, &SimController::stopped, [&](SimController::Stop why, const QString&) {
      if (why == SimController::Stop::Started && loaded < 0) loaded = clock.elapsed();
    });
    QObject::connect(&c, &SimController::runningChanged, [&](bool on) {
      if (on && running < 0) running = clock.elapsed();
    });
  });
  clock.start();
  window.Azione(QStringLiteral("simula"))->trigger();
  if (!WaitFor([&] { return running >= 0; }, 30000)) return Fail("il chip non è partito");
  SimulatorWindow* bench = window.Simulatore();
  SimController& chip = bench->controller();
  std::printf("f9\t%lld\t%lld\t%lld\t%lld\n", translationMs, assembled, loaded, running);

  // Massima velocità: refreshes a second and the longest stall of the loop.
  window.Pausa();
  if (!WaitFor([&] { return chip.ready(); }, 10000)) return Fail("Pausa senza risposta");
  bench->findChild<QComboBox*>(QStringLiteral("velocita"))->setCurrentIndex(1);
  int refreshes = 0, slices = 0;
  QObject::connect(bench, &SimulatorWindow::refreshed, [&] { ++refreshes; });
  QObject::connect(&chip, &SimController::progressed, [&] { ++slices; });
  QElapsedTimer sinceTick;
  qint64 longestGap = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  window.Esegui();
  if (!WaitFor([&] { return chip.running(); }, 10000)) return Fail("Esegui senza risposta");
  refreshes = slices = 0;
  QElapsedTimer wall;
  wall.start();
  sinceTick.start();
  ticker.start(5);
  WaitFor([&] { return !chip.running(); }, static_cast<int>(seconds * 1000));
  const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
  ticker.stop();
  if (!chip.running()) return Fail("il programma si è fermato da solo");
  const double perSecond = refreshes / elapsed, slicesPerSecond = slices / elapsed;

  // A click on B0 (an input) while running, until its LED is painted anew.
  auto* led = bench->findChild<PinLed*>(QStringLiteral("pin_B0"));
  if (!led || !led->isVisible()) return Fail("linea B0 non visibile");
  PaintWatch paint;
  led->installEventFilter(&paint);
  const bool before = led->isHigh();
  const QPointF centre = QRectF(led->rect()).center();
  paint.armed = true;
  clock.restart();
  QCoreApplication::postEvent(led, new QMouseEvent(QEvent::MouseButtonPress, centre, led->mapToGlobal(centre),
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(led, new QMouseEvent(QEvent::MouseButtonRelease, centre, led->mapToGlobal(centre),
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  if (!WaitFor([&] { return led->isHigh() != before && paint.painted; }, 10000)) return Fail("clic su B0 senza effetto");
  const qint64 clickMs = clock.elapsed();

  // Pausa from the menu, until the bench has refreshed on the stop.
  bool shown = false;
  QObject::connect(bench, &SimulatorWindow::refreshed, [&] { shown = shown || chip.ready(); });
  clock.restart();
  QMetaObject::invokeMethod(window.Azione(QStringLiteral("pausa")), &QAction::trigger, Qt::QueuedConnection);
  if (!WaitFor([&] { return shown; }, 10000)) return Fail("Pausa senza risposta");
  const qint64 pauseMs = clock.elapsed();
  std::printf("massima\t%.1f\t%.1f\t%lld\t%lld\t%lld\n", perSecond, slicesPerSecond, longestGap, clickMs, pauseMs);
  return 0;
}
