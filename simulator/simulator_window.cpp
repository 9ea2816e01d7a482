// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator window: controls, pins, variables, registers, EEPROM,
// timing, and the running line shown in the editors.
#include "simulator_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "bench_panels.h"
#include "code_editor.h"
#include "italian_text.h"
#include "pin_led.h"
#include "value_editor.h"

namespace velmora::simulator {
namespace {

// A system error text from Qt (which takes it from the system) in Italian.
QString SystemErrorText(const QString& text) {
  return QString::fromStdString(italian::SystemErrorText(text.toStdString()));
}

using editor::CodeEditor;
using toolchain::Pin;

// One refresh per gpsim slice (about 30 a second while running), never two
// closer than this: a 30 ms floor dropped every slice that came a little
// early and held the docked bench near 21 refreshes a second.
constexpr int kRefreshMs = 20;
// Marks the assembly pane's extra selection that shows the running instruction.
constexpr int kRunningMark = QTextFormat::UserProperty + 17;

QString Hex(std::uint64_t value, int digits) {
  return QStringLiteral("0x%1").arg(value, digits, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x"));
}

QString Binary(std::uint64_t value, int bytes) {
  QString text;
  for (int b = bytes - 1; b >= 0; --b) {
    if (!text.isEmpty()) text += QLatin1Char(' ');
    text += QStringLiteral("%1").arg((value >> (8 * b)) & 0xFF, 8, 2, QLatin1Char('0'));
  }
  return text;
}

// "401 µs", "40,5412 ms", "2,75 s": a decimal comma, as people read it.
QString Duration(double seconds) {
  const auto number = [](double v) { return QString::number(v, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(',')); };
  if (seconds < 1e-3) return QStringLiteral("%1 µs").arg(number(seconds * 1e6));
  if (seconds < 1.0) return QStringLiteral("%1 ms").arg(number(seconds * 1e3));
  return QStringLiteral("%1 s").arg(number(seconds));
}

// A variable's elements, each little-endian from its address on; nothing
// when a byte is missing from the dump.
std::vector<std::uint64_t> Elements(const toolchain::Variable& v, const ChipSnapshot& chip) {
  std::vector<std::uint64_t> values;
  if (!chip.valid()) return values;
  for (int e = 0; e * v.elementSize < v.size; ++e) {
    std::uint64_t value = 0;
    for (int b = v.elementSize - 1; b >= 0; --b) {
      const int byte = chip.reg(v.address + e * v.elementSize + b);
      if (byte < 0) return {};
      value = (value << 8) | static_cast<std::uint64_t>(byte);
    }
    values.push_back(value);
  }
  return values;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text, bool changed) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    table->setItem(row, column, item);
  }
  item->setText(text);
  QFont font = table->font();
  font.setBold(changed);
  item->setFont(font);
  item->setForeground(changed ? QBrush(QColor(200, 0, 0)) : QBrush(table->palette().color(QPalette::Text)));
}

QTableWidget* NewTable(const QString& name, const QStringList& headers, int rows) {
  auto* table = new QTableWidget(rows, static_cast<int>(headers.size()));
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

// What the watchdog box means now: it takes effect at the next Reset, so a
// run is never restarted behind the user's back. `inUse`: the watchdog of
// the simulation in progress; nothing when none is.
QString WatchdogMessage(bool on, std::optional<bool> inUse) {
  const QString state = on ? QStringLiteral("Watchdog attivo") : QStringLiteral("Watchdog disattivato");
  if (!inUse) return state + QStringLiteral(": vale dalla prossima simulazione.");
  if (*inUse == on) return state + QStringLiteral(", come nella simulazione in corso.");
  return state + QStringLiteral(" dal prossimo Reset (Maiusc+F9): la simulazione in corso continua %1 watchdog.")
                     .arg(on ? QStringLiteral("senza") : QStringLiteral("con il"));
}

const char* const kRegisterRows[] = {"W", "Z", "C", "PC", "Stack", "STATUS", "TMR0", "OPTION", "INTCON",
                                     "PORTA", "PORTB", "TRISA", "TRISB"};
// Register address of each row above; -1 for those read otherwise.
const int kRegisterAddresses[] = {-1, -1, -1, -1, -1, 0x03, 0x01, 0x81, 0x0B, 0x05, 0x06, 0x85, 0x86};

}  // namespace

SimulatorWindow::SimulatorWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Simulatore"));
  createActions();
  createLayout();
  connectController();
  updateActions();
  refresh(false);
  resize(1180, 680);
  arrange();
}

SimulatorWindow::~SimulatorWindow() { clearRunningLine(); }

void SimulatorWindow::createActions() {
  const auto make = [this](const QString& name, const QString& text, const QKeySequence& key, void (SimulatorWindow::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(
        text, key.toString(QKeySequence::NativeText).replace(QStringLiteral("Shift+"), QStringLiteral("Maiusc+"))));
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
  };
  // The keys never collide with the main window's (F5 Traduci, F6 Assembla,
  // F9 Simula, F8 the breakpoint on the cursor's line).
  runAction_ = make(QStringLiteral("esegui"), QStringLiteral("Esegui"), Qt::Key_F7, &SimulatorWindow::run);
  pauseAction_ = make(QStringLiteral("pausa"), QStringLiteral("Pausa"), QKeySequence(Qt::SHIFT | Qt::Key_F7),
                      &SimulatorWindow::pause);
  stepAction_ = make(QStringLiteral("passo"), QStringLiteral("Passo"), Qt::Key_F10, &SimulatorWindow::stepLine);
  stepOverAction_ = make(QStringLiteral("passo_sopra"), QStringLiteral("Passo sopra"), QKeySequence(Qt::SHIFT | Qt::Key_F10),
                         &SimulatorWindow::stepOver);
  stepOutAction_ = make(QStringLiteral("esci_sub"), QStringLiteral("Esci dalla SUB"), QKeySequence(Qt::CTRL | Qt::Key_F10),
                        &SimulatorWindow::stepOut);
  stepInstructionAction_ = make(QStringLiteral("passo_istruzione"), QStringLiteral("Passo istruzione"), Qt::Key_F11,
                                &SimulatorWindow::stepInstruction);
  cursorAction_ = make(QStringLiteral("fino_al_cursore"), QStringLiteral("Esegui fino al cursore"), Qt::Key_F4,
                       &SimulatorWindow::runToCursor);
  resetAction_ = make(QStringLiteral("reset"), QStringLiteral("Reset"), QKeySequence(Qt::SHIFT | Qt::Key_F9),
                      &SimulatorWindow::reset);
}

void SimulatorWindow::createLayout() {
  auto* toolbar = controls_ = new QToolBar;
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (QAction* a : {runAction_, pauseAction_, stepAction_, stepOverAction_, stepOutAction_, stepInstructionAction_,
                     cursorAction_, resetAction_})
    toolbar->addAction(a);
  for (QAction* a : toolbar->actions())  // the run controls take the focus when the bench opens
    if (QWidget* button = toolbar->widgetForAction(a)) button->setFocusPolicy(Qt::StrongFocus);
  auto* settings = new QHBoxLayout;
  settings->addWidget(new QLabel(QStringLiteral("Quarzo (MHz)")));
  crystal_ = new QDoubleSpinBox;
  crystal_->setObjectName(QStringLiteral("quarzo"));
  crystal_->setRange(0.001, 40.0);
  crystal_->setDecimals(4);
  crystal_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));  // "4,0000": a decimal comma
  crystal_->setValue(4.0);
  crystal_->setFocusPolicy(Qt::StrongFocus);
  settings->addWidget(crystal_);
  settings->addSpacing(8);
  settings->addWidget(new QLabel(QStringLiteral("Velocità")));
  speed_ = new QComboBox;
  speed_->setObjectName(QStringLiteral("velocita"));
  speed_->addItems({QStringLiteral("Tempo reale"), QStringLiteral("Massima velocità")});
  settings->addWidget(speed_);
  settings->addSpacing(8);
  watchdog_ = new QCheckBox(QStringLiteral("Watchdog attivo"));
  watchdog_->setObjectName(QStringLiteral("watchdog"));
  watchdog_->setToolTip(QStringLiteral("Il chip va programmato con il watchdog disattivato: il codice generato "
                                       "non lo azzera mai e il watchdog resetterebbe il micro. La scelta vale dal "
                                       "prossimo Reset."));
  settings->addWidget(watchdog_);
  settings->addStretch();

  // Pins: port A (A4..A0) and port B (B7..B0), most significant bit first.
  auto* pins = new QGroupBox(QStringLiteral("Linee di I/O (clic: cambia il livello; le uscite solo in pausa)"));
  auto* pinGrid = new QGridLayout(pins);
  const auto addPort = [&](char port, int bits, int row) {
    pinGrid->addWidget(new QLabel(QStringLiteral("Porta %1").arg(QLatin1Char(port))), row, 0);
    for (int bit = bits - 1; bit >= 0; --bit) {
      const Pin pin{port, bit};
      const QString name = QStringLiteral("%1%2").arg(QLatin1Char(port)).arg(bit);
      auto* led = new PinLed(name);
      led->setObjectName(QStringLiteral("pin_") + name);
      leds_[name] = led;
      pinGrid->addWidget(led, row, 1 + (8 - bits) + (bits - 1 - bit));
      connect(led, &PinLed::clicked, this, [this, pin] {
        if (controller_.forcePin(pin)) refreshPins();
      });
    }
  };
  addPort('A', 5, 0);
  addPort('B', 8, 1);
  trisA_ = new QLabel;
  trisB_ = new QLabel;
  for (QLabel* l : {trisA_, trisB_})
    l->setFixedWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("TRISA = 0x00")) + 8);
  pinGrid->addWidget(trisA_, 0, 9);
  pinGrid->addWidget(trisB_, 1, 9);

  auto* timing = new QGroupBox(QStringLiteral("Tempo"));
  auto* timingForm = new QVBoxLayout(timing);
  cycles_ = new QLabel;
  cycles_->setObjectName(QStringLiteral("cicli"));
  time_ = new QLabel;
  time_->setObjectName(QStringLiteral("tempo"));
  stopwatch_ = new QLabel;
  stopwatch_->setObjectName(QStringLiteral("cronometro"));
  stopwatch_->setToolTip(QStringLiteral("Tempo simulato tra le ultime due fermate"));
  line_ = new QLabel;
  line_->setObjectName(QStringLiteral("riga"));
  // The texts grow while running (cycles, times): they never push the pins
  // aside, so an LED stays under the mouse.
  for (QLabel* l : {line_, cycles_, time_, stopwatch_}) {
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Cicli istruzione: 000000000000")));
    timingForm->addWidget(l);
  }
  timingForm->addStretch();

  variables_ = NewTable(QStringLiteral("variabili"),
                        {QStringLiteral("Nome"), QStringLiteral("Tipo"), QStringLiteral("Decimale"),
                         QStringLiteral("Esadecimale"), QStringLiteral("Binario")},
                        0);
  auto* variablesBox = new QGroupBox(QStringLiteral("Variabili"));
  (new QVBoxLayout(variablesBox))->addWidget(variables_);

  registers_ = NewTable(QStringLiteral("registri"), {QStringLiteral("Registro"), QStringLiteral("Valore")},
                        static_cast<int>(std::size(kRegisterRows)));
  for (int r = 0; r < registers_->rowCount(); ++r) SetCell(registers_, r, 0, QString::fromLatin1(kRegisterRows[r]), false);
  registers_->item(4, 0)->setToolTip(
      controller_.readsStack()
          ? QStringLiteral("Indirizzi di ritorno nello stack hardware, che ne tiene 8: ogni CALL e ogni "
                           "interrupt ne occupa uno, RETURN, RETLW e RETFIE lo liberano. Alla nona chiamata "
                           "annidata il micro sovrascrive il primo indirizzo senza avvisare: qui "
                           "l'esecuzione si ferma con un messaggio.")
          : QStringLiteral("Profondità dello stack non disponibile: manca il modulo di Velmora per gpsim "
                           "(libvelmora_gpsim.so)."));
  auto* registersBox = new QGroupBox(QStringLiteral("Registri"));
  (new QVBoxLayout(registersBox))->addWidget(registers_);

  eeprom_ = NewTable(QStringLiteral("eeprom"), {}, 8);
  eeprom_->setColumnCount(8);
  QStringList columns, rows;
  for (int i = 0; i < 8; ++i) {
    columns << QString::number(i);
    rows << QStringLiteral("%1").arg(i * 8, 2, 16, QLatin1Char('0')).toUpper();
  }
  eeprom_->setHorizontalHeaderLabels(columns);
  eeprom_->setVerticalHeaderLabels(rows);
  eeprom_->verticalHeader()->setVisible(true);
  eeprom_->horizontalHeader()->setMinimumSectionSize(24);
  eeprom_->horizontalHeader()->setStretchLastSection(false);
  eeprom_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  eeprom_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* eepromBox = new QGroupBox(QStringLiteral("EEPROM dati (64 byte, esadecimale)"));
  (new QVBoxLayout(eepromBox))->addWidget(eeprom_);

  auto* values = new ValueEditor(controller_, variables_, registers_, this);
  connect(values, &ValueEditor::message, this, &SimulatorWindow::showMessage);

  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("messaggio"));
  message_->setWordWrap(true);
  // Two lines whatever the message: a long one never makes the window grow.
  message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  message_->setFixedHeight(2 * message_->fontMetrics().lineSpacing() + 4);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // Wide: the run controls and the settings on one line, pins beside the
  // timing, the three tables side by side. Narrow (docked beside the
  // editors): each on its own line and the tables in tabs (arrange). The
  // tables are the "Stato" tab beside the logic analyser and the board.
  head_ = new QBoxLayout(QBoxLayout::LeftToRight);
  head_->addWidget(toolbar);
  head_->addLayout(settings);
  top_ = new QBoxLayout(QBoxLayout::LeftToRight);
  top_->addWidget(pins, 3);
  top_->addWidget(timing, 2);
  tables_ = {variablesBox, registersBox, eepromBox};
  side_ = new QWidget;
  middle_ = new QBoxLayout(QBoxLayout::LeftToRight, side_);
  middle_->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("schede"));
  auto* state = new QWidget;
  auto* stateLayout = new QVBoxLayout(state);
  stateLayout->setContentsMargins(0, 0, 0, 0);
  stateLayout->addWidget(side_, 1);
  stateLayout->addWidget(tabs_, 1);
  auto* panels = new BenchPanels(controller_, state);
  connect(panels, &BenchPanels::basicLineRequested, this, [this](int line) {
    if (!basic_) return;
    basic_->goToLine(line);
    basic_->setFocus();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head_);
  layout->addLayout(top_);
  layout->addWidget(panels, 1);
  layout->addWidget(message_);
}

void SimulatorWindow::arrange() {
  // 0 wide: everything side by side; 1 narrow and tall: the rows stacked,
  // the variables above the registers and the EEPROM; 2 narrow and low: the
  // tables in tabs.
  const int mode = width() >= 900 ? 0 : height() >= 760 ? 1 : 2;
  if (mode == arranged_) return;
  arranged_ = mode;
  const QBoxLayout::Direction rows = mode == 0 ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
  head_->setDirection(rows);
  top_->setDirection(rows);
  while (middle_->count() > 0) delete middle_->takeAt(0);
  const int stretch[] = {5, 3, 4};
  for (int i = 0; i < tables_.size(); ++i) {
    QGroupBox* box = tables_[i];
    if (mode == 2) {
      tabs_->addTab(box, box->title().section(QLatin1Char(' '), 0, 1));
      continue;
    }
    box->setParent(side_);
    box->show();
  }
  if (mode == 0) {
    for (int i = 0; i < tables_.size(); ++i) middle_->addWidget(tables_[i], stretch[i]);
  } else if (mode == 1) {
    auto* below = new QHBoxLayout;
    below->addWidget(tables_[1], 1);
    below->addWidget(tables_[2], 1);
    middle_->setDirection(QBoxLayout::TopToBottom);
    middle_->addWidget(tables_[0], 1);
    middle_->addLayout(below, 2);
  }
  if (mode == 0) middle_->setDirection(QBoxLayout::LeftToRight);
  tabs_->setVisible(mode == 2);
  side_->setVisible(mode != 2);
}

void SimulatorWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  arrange();
}

void SimulatorWindow::connectController() {
  connect(crystal_, &QDoubleSpinBox::valueChanged, this, [this](double mhz) {
    controller_.setFrequency(std::lround(mhz * 1e6));
    refreshTime();
  });
  connect(speed_, &QComboBox::currentIndexChanged, this, [this](int index) {
    controller_.setSpeed(index == 0 ? SimController::Speed::RealTime : SimController::Speed::Maximum);
  });
  connect(watchdog_, &QCheckBox::toggled, this, [this](bool on) {
    controller_.setWatchdog(on);
    showMessage(WatchdogMessage(on, controller_.session() ? std::optional<bool>(controller_.watchdogInUse()) : std::nullopt),
                false);
  });
  connect(&controller_, &SimController::stopped, this, &SimulatorWindow::onStopped);
  connect(&controller_, &SimController::failed, this, &SimulatorWindow::onFailed);
  connect(&controller_, &SimController::valuesChanged, this, [this] { refresh(false); });
  connect(&controller_, &SimController::runningChanged, this, [this](bool running) {
    if (running) showMessage(QStringLiteral("In esecuzione..."), false);
    updateActions();
  });
  connect(&controller_, &SimController::progressed, this, [this] {
    if (sinceRefresh_.isValid() && sinceRefresh_.elapsed() < kRefreshMs) return;
    refresh(false);
  });
}

void SimulatorWindow::setEditors(CodeEditor* basic, QPlainTextEdit* assembly) {
  if (basic_) basic_->disconnect(this);
  clearRunningLine();
  basic_ = basic;
  assembly_ = assembly;
  if (basic_) {
    connect(basic_, &CodeEditor::textEdited, this, [this] {
      if (controller_.hasProgram() && !gate_)  // with a gate, the owner marks the program stale
        showMessage(QStringLiteral("Il programma Basic è cambiato: tradurre e assemblare di nuovo per simularlo."), false);
    });
    connect(basic_, &CodeEditor::breakpointsChanged, this, [this](const QSet<int>& lines) { controller_.setBreakpoints(lines); });
    controller_.setBreakpoints(basic_->breakpoints());
  }
}

bool SimulatorWindow::setProgram(const QString& codPath, const QString& assembly, const std::vector<int>& asmToBasic,
                                 const std::vector<DeclaredVariable>* variables) {
  const QFileInfo cod(codPath);
  const QString stem = cod.absolutePath() + QLatin1Char('/') + cod.completeBaseName();
  QFile listing(stem + QStringLiteral(".lst")), hex(stem + QStringLiteral(".hex"));
  if (!listing.open(QIODevice::ReadOnly) || !hex.open(QIODevice::ReadOnly)) {
    const QFile& bad = listing.isOpen() ? hex : listing;
    showMessage(QStringLiteral("Impossibile leggere %1: %2").arg(bad.fileName(), SystemErrorText(bad.errorString())), true);
    return false;
  }
  controller_.setProgram(cod.absoluteFilePath(), BuildProgramMap(listing.readAll().toStdString(), hex.readAll().toStdString(),
                                                                  assembly.toStdString(), asmToBasic, variables));
  if (basic_) controller_.setBreakpoints(basic_->breakpoints());
  stale_ = false;
  variables_->setRowCount(static_cast<int>(controller_.map().variables.size()));
  int row = 0;
  for (const toolchain::Variable& v : controller_.map().variables) {
    SetCell(variables_, row, 0, QString::fromStdString(v.name), false);
    SetCell(variables_, row++, 1, QStringLiteral("%1 (%2 byte)").arg(QString::fromStdString(v.type)).arg(v.size), false);
  }
  reset();
  return true;
}

void SimulatorWindow::setFrequency(long hz) {
  crystal_->setValue(hz > 0 ? static_cast<double>(hz) / 1e6 : 4.0);
  controller_.setFrequency(hz > 0 ? hz : 4000000);
}

QString SimulatorWindow::message() const { return message_->text(); }

void SimulatorWindow::runWhenReady() { whenReady([this] { run(); }); }

void SimulatorWindow::whenReady(std::function<void()> action) {
  if (controller_.ready()) return action();
  whenStarted_ = controller_.hasProgram() ? std::move(action) : std::function<void()>{};
}

bool SimulatorWindow::gated(void (SimulatorWindow::*command)()) {
  if (!stale_ || !gate_) return false;
  gate_([this, command] { (this->*command)(); });
  return true;
}

void SimulatorWindow::run() {
  if (!gated(&SimulatorWindow::run)) controller_.run();
}
void SimulatorWindow::pause() { controller_.pause(); }
void SimulatorWindow::stepLine() {
  if (!gated(&SimulatorWindow::stepLine)) controller_.stepLine();
}
void SimulatorWindow::stepOver() {
  if (!gated(&SimulatorWindow::stepOver)) controller_.stepOver();
}
void SimulatorWindow::stepOut() {
  if (!gated(&SimulatorWindow::stepOut)) controller_.stepOut();
}
void SimulatorWindow::stepInstruction() {
  if (!gated(&SimulatorWindow::stepInstruction)) controller_.stepInstruction();
}

void SimulatorWindow::setStale(bool stale) {
  stale_ = stale;
  if (!stale) return;
  whenStarted_ = {};
  controller_.pause();
  clearRunningLine();
  showMessage(QStringLiteral("Il programma nell'editor è cambiato: Esegui o Passo lo traducono, lo assemblano "
                             "e lo simulano da capo."),
              false);
  updateActions();
}

void SimulatorWindow::stopShowing() {
  whenStarted_ = {};
  controller_.pause();
  clearRunningLine();
}

void SimulatorWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (event->spontaneous()) return;
  hidden_ = true;
  stopShowing();
}

void SimulatorWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  hidden_ = false;
  showRunningLine(false);
}

void SimulatorWindow::runToCursor() {
  if (gated(&SimulatorWindow::runToCursor)) return;
  if (!basic_ || !controller_.ready()) return;
  const int line = basic_->currentLine();
  if (controller_.map().FirstAddress(line) < 0) {
    showMessage(QStringLiteral("La riga %1 non ha istruzioni: spostare il cursore su un'altra riga.").arg(line), true);
    return;
  }
  controller_.runToLine(line);
}

void SimulatorWindow::reset() {
  if (!controller_.hasProgram()) {
    showMessage(QStringLiteral("Nessun programma: tradurre e assemblare prima di simulare."), true);
    return;
  }
  showMessage(QStringLiteral("Avvio di gpsim..."), false);
  controller_.reset();
  updateActions();
  refresh(false);
}

void SimulatorWindow::closeEvent(QCloseEvent* event) {
  stopShowing();
  event->accept();
}

void SimulatorWindow::onStopped(SimController::Stop why, const QString& text) {
  using Stop = SimController::Stop;
  const int line = controller_.currentBasicLine();
  const QString where = line > 0 ? QStringLiteral(" alla riga %1").arg(line) : QString();
  switch (why) {
    case Stop::Started: showMessage(QStringLiteral("Simulazione pronta: Esegui (F7), Passo (F10)."), false); break;
    case Stop::Paused: showMessage(QStringLiteral("In pausa") + where + QLatin1Char('.'), false); break;
    case Stop::Step: showMessage(QStringLiteral("Passo eseguito: fermo") + where + QLatin1Char('.'), false); break;
    case Stop::Cursor: showMessage(QStringLiteral("Fermo") + where + QStringLiteral(" (cursore)."), false); break;
    case Stop::Breakpoint:
    case Stop::Asleep: showMessage(text, false); break;
    case Stop::Sleep:
    case Stop::Watchdog:
    case Stop::StackOverflow:
    case Stop::Fault:
    case Stop::Other: showMessage(text, true); break;
  }
  updateActions();
  refresh(true);
  if (why == Stop::Started && whenStarted_) {
    const std::function<void()> action = std::move(whenStarted_);
    whenStarted_ = {};
    action();
  }
}

void SimulatorWindow::onFailed(const QString& text) {
  whenStarted_ = {};
  showMessage(text, true);
  updateActions();
  refresh(false);
}

void SimulatorWindow::refresh(bool stop) {
  refreshPins();
  refreshVariables();
  refreshRegisters();
  refreshEeprom();
  refreshTime();
  showRunningLine(stop);
  sinceRefresh_.start();
  emit refreshed();
}

void SimulatorWindow::refreshPins() {
  const ChipSnapshot& chip = controller_.chip();
  for (char port : {'A', 'B'}) {
    const int tris = chip.reg(port == 'A' ? 0x85 : 0x86), value = chip.reg(port == 'A' ? 0x05 : 0x06);
    for (int bit = 0; bit < (port == 'A' ? 5 : 8); ++bit) {
      PinLed* led = leds_.value(QStringLiteral("%1%2").arg(QLatin1Char(port)).arg(bit));
      const bool output = tris >= 0 && !(tris >> bit & 1);
      led->setState(output, output ? (value >> bit & 1) != 0 : controller_.pinLevel({port, bit}));
    }
    (port == 'A' ? trisA_ : trisB_)->setText(tris < 0 ? QStringLiteral("TRIS%1 = -").arg(QLatin1Char(port))
                                                      : QStringLiteral("TRIS%1 = %2").arg(QLatin1Char(port)).arg(Hex(static_cast<std::uint64_t>(tris), 2)));
  }
}

void SimulatorWindow::refreshVariables() {
  const ChipSnapshot &chip = controller_.chip(), &before = controller_.reference();
  int row = 0;
  for (const toolchain::Variable& v : controller_.map().variables) {
    const std::vector<std::uint64_t> now = Elements(v, chip), then = Elements(v, before);
    const bool changed = before.valid() && now != then;
    QStringList dec, hex, bin;
    for (std::uint64_t e : now) {
      dec << QString::number(e);
      hex << Hex(e, 2 * v.elementSize);
      bin << Binary(e, v.elementSize);
    }
    const QString none = now.empty() ? QStringLiteral("-") : QString();
    SetCell(variables_, row, 2, none + dec.join(QLatin1Char(' ')), changed);
    SetCell(variables_, row, 3, none + hex.join(QLatin1Char(' ')), changed);
    SetCell(variables_, row++, 4, none + bin.join(QStringLiteral(" | ")), changed);
  }
  variables_->resizeColumnsToContents();
}

void SimulatorWindow::refreshRegisters() {
  const ChipSnapshot &chip = controller_.chip(), &before = controller_.reference();
  const auto byte = [](int v) {
    return v < 0 ? QStringLiteral("-") : QStringLiteral("%1 (%2)").arg(Hex(static_cast<std::uint64_t>(v), 2)).arg(v);
  };
  const auto flag = [](int status, int bit) { return status < 0 ? -1 : (status >> bit & 1); };
  const int values[] = {chip.w, flag(chip.reg(0x03), 2), flag(chip.reg(0x03), 0), chip.pc, chip.stack};
  const int previous[] = {before.w, flag(before.reg(0x03), 2), flag(before.reg(0x03), 0), before.pc, before.stack};
  for (int r = 0; r < registers_->rowCount(); ++r) {
    const int address = kRegisterAddresses[r];
    const int v = address >= 0 ? chip.reg(address) : values[r];
    const int old = address >= 0 ? before.reg(address) : previous[r];
    QString text = byte(v);
    if (r == 1 || r == 2) text = v < 0 ? QStringLiteral("-") : QString::number(v);
    if (r == 3) text = v < 0 ? QStringLiteral("-") : Hex(static_cast<std::uint64_t>(v), 4);
    if (r == 4) {
      text = v < 0    ? QStringLiteral("-")
             : v >= 8 ? QStringLiteral("8 di 8 (pieno)")
                      : QStringLiteral("%1 di 8").arg(v);
    }
    SetCell(registers_, r, 1, text, before.valid() && chip.valid() && v != old);
  }
}

void SimulatorWindow::refreshEeprom() {
  const ChipSnapshot &chip = controller_.chip(), &before = controller_.reference();
  for (int i = 0; i < 64; ++i) {
    const int v = i < static_cast<int>(chip.eeprom.size()) ? chip.eeprom[static_cast<size_t>(i)] : -1;
    const int old = i < static_cast<int>(before.eeprom.size()) ? before.eeprom[static_cast<size_t>(i)] : v;
    SetCell(eeprom_, i / 8, i % 8, v < 0 ? QStringLiteral("--") : QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(),
            v != old);
  }
}

void SimulatorWindow::refreshTime() {
  const ChipSnapshot& chip = controller_.chip();
  const int line = controller_.currentBasicLine();
  line_->setText(chip.pc < 0 ? QStringLiteral("Riga Basic: -")
                             : QStringLiteral("Riga Basic: %1    PC: %2")
                                   .arg(line > 0 ? QString::number(line) : QStringLiteral("-"), Hex(static_cast<std::uint64_t>(chip.pc), 4)));
  cycles_->setText(QStringLiteral("Cicli di istruzione: %1").arg(chip.cycles));
  time_->setText(QStringLiteral("Tempo simulato: %1").arg(Duration(controller_.seconds(chip.cycles))));
  const std::uint64_t lap = controller_.stopwatchCycles();
  stopwatch_->setText(QStringLiteral("Cronometro (tra le ultime due fermate): %1  (%2)")
                          .arg(Duration(controller_.seconds(lap)))
                          .arg(QString::fromStdString(italian::Count(static_cast<long long>(lap), "ciclo", "cicli"))));
}

void SimulatorWindow::showRunningLine(bool scroll) {
  // Only the program in the editor, on a bench in view, lights its lines.
  if (stale_ || hidden_) return clearRunningLine();
  const ChipSnapshot& chip = controller_.chip();
  const int line = chip.pc >= 0 ? controller_.currentBasicLine() : 0;
  const int asmLine = chip.pc >= 0 ? controller_.map().AsmLineAt(controller_.currentAddress()) : 0;
  if (basic_) {
    basic_->setHighlightedLines(CodeEditor::LineRole::Running, line > 0 ? QSet<int>{line} : QSet<int>{});
    if (scroll && line > 0) basic_->scrollLineIntoView(line);
  }
  if (!assembly_) return;
  if (auto* code = qobject_cast<CodeEditor*>(assembly_.data())) {
    code->setHighlightedLines(CodeEditor::LineRole::Running, asmLine > 0 ? QSet<int>{asmLine} : QSet<int>{});
    if (scroll && asmLine > 0) code->scrollLineIntoView(asmLine);
    return;
  }
  QList<QTextEdit::ExtraSelection> selections;
  for (const QTextEdit::ExtraSelection& s : assembly_->extraSelections())
    if (!s.format.hasProperty(kRunningMark)) selections << s;
  const QTextBlock block = assembly_->document()->findBlockByNumber(asmLine - 1);
  if (asmLine > 0 && block.isValid()) {
    QTextEdit::ExtraSelection s;
    s.cursor = QTextCursor(block);
    s.format.setBackground(basic_ ? basic_->roleColour(CodeEditor::LineRole::Running) : QColor(255, 236, 140));
    s.format.setProperty(QTextFormat::FullWidthSelection, true);
    s.format.setProperty(kRunningMark, true);
    selections << s;
    QScrollBar* bar = assembly_->verticalScrollBar();  // in lines: the cursor stays where the user left it
    if (scroll && (asmLine - 1 < bar->value() || asmLine - 1 >= bar->value() + bar->pageStep()))
      bar->setValue(std::max(0, asmLine - 1 - bar->pageStep() / 3));
  }
  assembly_->setExtraSelections(selections);
}

void SimulatorWindow::clearRunningLine() {
  if (basic_) basic_->setHighlightedLines(CodeEditor::LineRole::Running, {});
  if (!assembly_) return;
  if (auto* code = qobject_cast<CodeEditor*>(assembly_.data())) return code->setHighlightedLines(CodeEditor::LineRole::Running, {});
  QList<QTextEdit::ExtraSelection> selections;
  for (const QTextEdit::ExtraSelection& s : assembly_->extraSelections())
    if (!s.format.hasProperty(kRunningMark)) selections << s;
  assembly_->setExtraSelections(selections);
}

void SimulatorWindow::updateActions() {
  const bool ready = controller_.ready(), running = controller_.running();
  // Read before the buttons change: a focused button that turns grey hands
  // the focus on to the next control (the crystal), and it must come back.
  const QWidget* focus = QApplication::focusWidget();
  const bool runFocus = wantsRunFocus_ || (focus && controls_->isAncestorOf(focus));
  for (QAction* a : {runAction_, stepAction_, stepOverAction_, stepOutAction_, stepInstructionAction_, cursorAction_})
    a->setEnabled(ready);
  pauseAction_->setEnabled(running);
  resetAction_->setEnabled(controller_.hasProgram());
  if (runFocus) focusRunControls();
}

// A grey button cannot take the focus: then it goes there as soon as the
// button turns on (gpsim starting).
void SimulatorWindow::focusRunControls() {
  QAction* next = controller_.running() ? pauseAction_ : runAction_;
  QWidget* button = controls_->widgetForAction(next);
  wantsRunFocus_ = !button || !next->isEnabled();
  if (!wantsRunFocus_) button->setFocus(Qt::OtherFocusReason);
}

void SimulatorWindow::showMessage(const QString& text, bool error) {
  message_->setText(text);
  message_->setStyleSheet(error ? QStringLiteral("color: #b00000; font-weight: bold;") : QString());
}

}  // namespace velmora::simulator
