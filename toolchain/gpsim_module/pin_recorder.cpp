// SPDX-License-Identifier: GPL-3.0-or-later
// The pin recorder of Velmora's gpsim module: every change of level on the
// 13 port lines, with gpsim's cycle counter at that moment, written to a
// file as the simulation runs (the logic analyser and velmorac --vcd read
// it back, see toolchain/pin_trace.h for the format).
//
//   module load velmora_trace velmora_trace
//   velmora_trace.file = "/path/traccia.txt"   opens (truncates) and writes
//                                              the present level of each line
//   velmora_trace.flush = 1                    writes what is buffered
//   velmora_trace.file = ""                    writes the end line and closes
//   velmora_trace.bus = 12                     also records the byte in RAM at
//                                              address 12 (buses are numbered
//                                              in the order first asked for;
//                                              asked while recording, or asked
//                                              again, it records its value now)
//
// A sink on each line's pin module is told by gpsim whenever the level seen
// on the line is settled again (driven by the program, or by the source of
// an input); only real changes are written. The program counter at that
// moment is the instruction making the change, when the program drives it.
// clang-format off
#include <gpsim/modules.h>
#include <gpsim/value.h>
#include <gpsim/processor.h>
#include <gpsim/pic-processor.h>
#include <gpsim/14bit-registers.h>
#include <gpsim/stimuli.h>
#include <gpsim/ioports.h>
#include <gpsim/gpsim_time.h>
// clang-format on

#include "string_action.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Lines in the order of the file: RA0..RA4 are 0..4, RB0..RB7 are 5..12.
constexpr int kLines = 13;

std::string GpsimPinName(int line) {
  return line < 5 ? "porta" + std::to_string(line) : "portb" + std::to_string(line - 5);
}

class Recorder;

// Stands in the register file in place of a byte of RAM the user watches:
// every access goes to the byte itself, and each write tells the recorder,
// which keeps only real changes of value.
class ByteWatch : public Register {
 public:
  ByteWatch(Processor* cpu, Register* byte, Recorder& recorder, int bus)
      : Register(cpu, byte->name().c_str(), "Velmora: byte recorded as a bus"), byte_(byte), recorder_(recorder), bus_(bus) {
    address = byte->address;
  }
  Register* byte() const { return byte_; }
  int bus() const { return bus_; }
  int last = -1;

  unsigned int get() override { return byte_->get(); }
  void put(unsigned int v) override { byte_->put(v); Changed(); }
  void put_value(unsigned int v) override { byte_->put_value(v); Changed(); }
  unsigned int get_value() override { return byte_->get_value(); }
  RegisterValue getRV() override { return byte_->getRV(); }
  void putRV(RegisterValue rv) override { byte_->putRV(rv); Changed(); }
  RegisterValue getRV_notrace() override { return byte_->getRV_notrace(); }
  void putRV_notrace(RegisterValue rv) override { byte_->putRV_notrace(rv); Changed(); }
  RegisterValue getRVN() override { return byte_->getRVN(); }
  RegisterValue getRVN_notrace() override { return byte_->getRVN_notrace(); }
  void setbit(unsigned int bit, bool v) override { byte_->setbit(bit, v); Changed(); }
  bool get_bit(unsigned int bit) override { return byte_->get_bit(bit); }
  double get_bit_voltage(unsigned int bit) override { return byte_->get_bit_voltage(bit); }
  Register* getReg() override { return byte_->getReg(); }
  REGISTER_TYPES isa() override { return byte_->isa(); }
  void reset(RESET_TYPE r) override { byte_->reset(r); Changed(); }

 private:
  void Changed();
  Register* byte_;
  Recorder& recorder_;
  int bus_;
};

class LineSink : public SignalSink {
 public:
  LineSink(Recorder& recorder, int line, IOPIN* pin) : recorder_(recorder), line_(line), pin_(pin) {}
  void setSinkState(char state) override;
  void release() override {}
  IOPIN* pin() const { return pin_; }
  int line() const { return line_; }
  int level = -1;  // -1 before the first record

 private:
  Recorder& recorder_;
  int line_;
  IOPIN* pin_;
};

// Writes the records through its own buffer: a change costs a few
// character copies, not a call into the C library.
class Recorder {
 public:
  ~Recorder() {
    Close();
    Unwatch();
    for (size_t i = 0; i < sinks_.size(); ++i) {
      modules_[i]->removeSink(sinks_[i]);
      delete sinks_[i];
    }
  }

  bool Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    Put("velmora-traccia 1\n");
    auto* cpu = dynamic_cast<Processor*>(get_active_cpu());
    if (!cpu) return true;
    if (sinks_.empty()) Attach(*cpu);
    for (LineSink* sink : sinks_) {
      sink->level = sink->pin()->getState() ? 1 : 0;
      Record(sink, sink->level);
    }
    for (ByteWatch* watch : watches_) {
      watch->last = static_cast<int>(watch->byte()->get_value() & 0xFF);
      RecordByte(watch);
    }
    return true;
  }

  // Puts a watch in place of the byte at `address` (and of its aliases in
  // the other bank); false for an address outside the register file.
  bool Watch(unsigned int address) {
    auto* cpu = dynamic_cast<Processor*>(get_active_cpu());
    if (!cpu || address >= cpu->register_memory_size() || !cpu->registers[address]) return false;
    Register* byte = cpu->registers[address];
    ByteWatch* watch = nullptr;
    for (ByteWatch* w : watches_)
      if (w->byte() == byte || w == byte) watch = w;
    if (!watch) {
      watch = new ByteWatch(cpu, byte, *this, static_cast<int>(watches_.size()));
      for (unsigned int a = 0; a < cpu->register_memory_size(); ++a)
        if (cpu->registers[a] == byte) cpu->registers[a] = watch;
      watches_.push_back(watch);
    }
    // Asked for while recording (the window adds a bus as the chip runs):
    // its value now, so the bus starts here and not at its next change.
    if (file_) {
      watch->last = static_cast<int>(watch->byte()->get_value() & 0xFF);
      RecordByte(watch);
    }
    return true;
  }

  void ByteChanged(ByteWatch* watch) {
    const int value = static_cast<int>(watch->byte()->get_value() & 0xFF);
    if (value == watch->last) return;
    watch->last = value;
    if (file_) RecordByte(watch);
  }

  void Flush() {
    if (!file_) return;
    std::fwrite(buffer_.data(), 1, used_, file_);
    used_ = 0;
    std::fflush(file_);
  }

  void Close() {
    if (!file_) return;
    Put("E ");
    PutNumber(get_cycles().get());
    Put("\n");
    Flush();
    std::fclose(file_);
    file_ = nullptr;
  }

  void Changed(LineSink* sink, int level) {
    if (level == sink->level) return;
    sink->level = level;
    if (file_) Record(sink, level);
  }

 private:
  void Attach(Processor& cpu) {
    for (int line = 0; line < kLines; ++line) {
      const std::string name = GpsimPinName(line);
      for (int number = 1; number <= cpu.get_pin_count(); ++number) {
        IOPIN* pin = cpu.get_pin(number);
        if (!pin || pin->name() != name) continue;
        auto* module = dynamic_cast<PinModule*>(pin->getMonitor());
        if (!module) break;
        auto* sink = new LineSink(*this, line, pin);
        module->addSink(sink);
        sinks_.push_back(sink);
        modules_.push_back(module);
        break;
      }
    }
  }

  // "CYCLE LINE LEVEL PC OUT": OUT is 1 when the program drives the line.
  void Record(LineSink* sink, int level) {
    auto* cpu = dynamic_cast<Processor*>(get_active_cpu());
    PutNumber(get_cycles().get());
    buffer_[used_++] = ' ';
    PutNumber(static_cast<unsigned long long>(sink->line()));
    buffer_[used_++] = ' ';
    buffer_[used_++] = level ? '1' : '0';
    buffer_[used_++] = ' ';
    PutNumber(cpu && cpu->pc ? cpu->pc->get_value() : 0);
    buffer_[used_++] = ' ';
    buffer_[used_++] = sink->pin()->get_direction() == IOPIN::DIR_OUTPUT ? '1' : '0';
    buffer_[used_++] = '\n';
    if (used_ > buffer_.size() - 128) Flush();
  }

  void Put(const char* text) {
    const size_t n = std::strlen(text);
    if (used_ + n > buffer_.size()) Flush();
    std::memcpy(buffer_.data() + used_, text, n);
    used_ += n;
  }

  void PutNumber(unsigned long long value) {
    char digits[24];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value);
    while (n) buffer_[used_++] = digits[--n];
  }

  // "V CYCLE BUS VALUE PC": the byte of bus BUS holds VALUE from CYCLE on.
  void RecordByte(ByteWatch* watch) {
    auto* cpu = dynamic_cast<Processor*>(get_active_cpu());
    Put("V ");
    PutNumber(get_cycles().get());
    buffer_[used_++] = ' ';
    PutNumber(static_cast<unsigned long long>(watch->bus()));
    buffer_[used_++] = ' ';
    PutNumber(static_cast<unsigned long long>(watch->last));
    buffer_[used_++] = ' ';
    PutNumber(cpu && cpu->pc ? cpu->pc->get_value() : 0);
    buffer_[used_++] = '\n';
    if (used_ > buffer_.size() - 128) Flush();
  }

  void Unwatch() {
    auto* cpu = dynamic_cast<Processor*>(get_active_cpu());
    for (ByteWatch* watch : watches_) {
      if (cpu)
        for (unsigned int a = 0; a < cpu->register_memory_size(); ++a)
          if (cpu->registers[a] == watch) cpu->registers[a] = watch->byte();
    }
    // The watches stay allocated: gpsim may still hold them somewhere.
    watches_.clear();
  }

  std::vector<ByteWatch*> watches_;
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  size_t used_ = 0;
  std::vector<LineSink*> sinks_;
  std::vector<PinModule*> modules_;  // the pin module of each sink
};

void LineSink::setSinkState(char state) {
  if (state == '1' || state == 'W' || state == 'H') recorder_.Changed(this, 1);
  else if (state == '0' || state == 'w' || state == 'L') recorder_.Changed(this, 0);
}

void ByteWatch::Changed() { recorder_.ByteChanged(this); }

class BusAddress : public Integer {
 public:
  explicit BusAddress(Recorder& recorder) : Integer("bus", -1, "a byte of RAM to record as a bus"), recorder_(recorder) {}
  void set(gint64 value) override {
    Integer::set(value);
    if (value < 0 || !recorder_.Watch(static_cast<unsigned int>(value)))
      std::printf("***ERROR: velmora_trace: indirizzo non valido %lld\n", static_cast<long long>(value));
  }

 private:
  Recorder& recorder_;
};

class FlushNow : public Integer {
 public:
  explicit FlushNow(Recorder& recorder) : Integer("flush", 0, "write the buffered changes to the file"), recorder_(recorder) {}
  void set(gint64 value) override {
    Integer::set(value);
    recorder_.Flush();
  }

 private:
  Recorder& recorder_;
};

class TraceModule : public Module {
 public:
  explicit TraceModule(const char* name) : Module(name, "Velmora: line changes to a file") {
    addSymbol(new StringAction("file", "the file the line changes are written to", [this](const std::string& path) {
      if (path.empty()) recorder_.Close();
      else if (!recorder_.Open(path)) std::printf("***ERROR: velmora_trace: impossibile scrivere %s\n", path.c_str());
    }));
    addSymbol(new FlushNow(recorder_));
    addSymbol(new BusAddress(recorder_));
  }

 private:
  Recorder recorder_;
};

}  // namespace

Module* NewTraceModule(const char* name) { return new TraceModule(name); }
