// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_panels.h"

#include <QScrollArea>

#include "board_view.h"
#include "logic_analyser.h"
#include "logic_capture.h"
#include "sim_controller.h"

namespace velmora::simulator {

namespace {

// A tab that scrolls when the bench is narrower than the panel wants (docked
// beside the editors at 1366x768), so the panel never widens the bench.
QScrollArea* Scrollable(QWidget* panel) {
  auto* scroll = new QScrollArea;
  scroll->setWidget(panel);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  return scroll;
}

}  // namespace

BenchPanels::BenchPanels(SimController& controller, QWidget* stateTab, QWidget* parent)
    : QTabWidget(parent), controller_(controller) {
  setObjectName(QStringLiteral("pannelli"));
  addTab(stateTab, QStringLiteral("Stato"));

  capture_ = new LogicCapture(controller_, this);
  analyser_ = new LogicAnalyser(this);
  analyser_->setRecording(&capture_->recording());
  analyser_->setClock(controller_.frequency());
  addTab(Scrollable(analyser_), QStringLiteral("Analizzatore logico"));
  connect(capture_, &LogicCapture::updated, this, [this] {
    analyser_->setProgramMap(&controller_.map());
    analyser_->setClock(controller_.frequency());
    analyser_->setByteVariables(capture_->byteVariables(), capture_->buses());
    analyser_->refresh();
  });
  connect(analyser_, &LogicAnalyser::busesChosen, capture_, &LogicCapture::setBuses);
  connect(analyser_, &LogicAnalyser::basicLineRequested, this, &BenchPanels::basicLineRequested);

  board_ = new BoardView(controller_, &capture_->recording(), this);
  addTab(Scrollable(board_), QStringLiteral("Scheda"));
  connect(capture_, &LogicCapture::updated, board_, &BoardView::refresh);
}

void BenchPanels::showPanel(QWidget* panel) {
  for (int i = 0; i < count(); ++i)
    if (widget(i) == panel || widget(i)->isAncestorOf(panel)) return setCurrentIndex(i);
}

}  // namespace velmora::simulator
