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
    return true;
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

class FileName : public String {
 public:
  explicit FileName(Recorder& recorder) : String("file", "", "the file the line changes are written to"), recorder_(recorder) {}
  void set(const char* text, int length) override {
    String::set(text, length);
    Apply();
  }
  void set(Value* value) override {
    String::set(value);
    Apply();
  }

 private:
  void Apply() {
    const std::string path = getVal() ? getVal() : "";
    if (path.empty()) recorder_.Close();
    else if (!recorder_.Open(path)) std::printf("***ERROR: velmora_trace: impossibile scrivere %s\n", path.c_str());
  }
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
    addSymbol(new FileName(recorder_));
    addSymbol(new FlushNow(recorder_));
  }

 private:
  Recorder recorder_;
};

}  // namespace

Module* NewTraceModule(const char* name) { return new TraceModule(name); }
