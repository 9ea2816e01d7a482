// SPDX-License-Identifier: GPL-3.0-or-later
// The stimulus player of Velmora's gpsim module: changes of the input
// sources at given instruction cycles, applied by gpsim itself while the
// program runs, exactly at their cycle and without stopping the run (a
// sleeping chip can be woken by them).
//
//   module load velmora_stimuli velmora_stimuli
//   velmora_stimuli.file = "/path/stimoli.txt"
//
// The file holds one change a line, in cycle order: "CYCLE ATTRIBUTE VALUE"
// (for example "5000 vs_porta1.voltage 5.0"): at CYCLE the numeric
// attribute of that name, a source the session created, takes VALUE.
// Changes already due apply at once.
//
// A file whose lines start with "+" ("+250 vs_porta1.voltage 0.0") counts
// its cycles from the moment it is read, and its changes join those still
// pending instead of replacing them: the board plays a button's bounce this
// way while the program runs, whatever cycle gpsim has reached.
// clang-format off
#include <gpsim/modules.h>
#include <gpsim/value.h>
#include <gpsim/processor.h>
#include <gpsim/symbol.h>
#include <gpsim/trigger.h>
#include <gpsim/gpsim_time.h>
// clang-format on

#include "string_action.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Change {
  guint64 cycle = 0;
  std::string attribute;
  double value = 0;
};

class Player : public TriggerObject {
 public:
  ~Player() override { Stop(); }

  // Reads the file and arms the first change; false when it cannot be read
  // or names an attribute that does not exist.
  bool Load(const std::string& path, std::string& error) {
    Stop();
    const guint64 now = get_cycles().get();
    std::vector<Change> pending(changes_.begin() + static_cast<long>(next_), changes_.end()), added;
    bool relative = false;
    next_ = 0;
    std::ifstream in(path);
    if (!in) {
      changes_.clear();
      error = "impossibile leggere " + path;
      return false;
    }
    std::string line;
    while (std::getline(in, line)) {
      const size_t plus = line.find_first_not_of(" \t");
      if (plus != std::string::npos && line[plus] == '+') {
        relative = true;
        line[plus] = ' ';
      }
      std::istringstream words(line);
      Change c;
      if (!(words >> c.cycle >> c.attribute >> c.value)) continue;
      if (relative) c.cycle += now;
      if (!globalSymbolTable().findValue(c.attribute)) {
        error = "attributo sconosciuto: " + c.attribute;
        changes_.clear();
        return false;
      }
      added.push_back(c);
    }
    if (relative) {
      added.insert(added.begin(), pending.begin(), pending.end());
      std::stable_sort(added.begin(), added.end(), [](const Change& a, const Change& b) { return a.cycle < b.cycle; });
    }
    changes_ = std::move(added);
    Advance();
    return true;
  }

  void callback() override {
    armed_ = false;
    Advance();
  }

  void Stop() {
    if (armed_) get_cycles().clear_break(this);
    armed_ = false;
  }

 private:
  // Applies every change due by now and arms the break of the next one.
  void Advance() {
    const guint64 now = get_cycles().get();
    while (next_ < changes_.size() && changes_[next_].cycle <= now) {
      if (Value* v = globalSymbolTable().findValue(changes_[next_].attribute)) v->set(changes_[next_].value);
      ++next_;
    }
    if (next_ < changes_.size()) armed_ = get_cycles().set_break(changes_[next_].cycle, this);
  }

  std::vector<Change> changes_;
  size_t next_ = 0;
  bool armed_ = false;
};

class StimuliModule : public Module {
 public:
  explicit StimuliModule(const char* name) : Module(name, "Velmora: timed input changes") {
    addSymbol(new StringAction("file", "the file of timed source changes", [this](const std::string& path) {
      std::string error;
      if (path.empty()) player_.Stop();
      else if (!player_.Load(path, error)) std::printf("***ERROR: velmora_stimuli: %s\n", error.c_str());
    }));
  }

 private:
  Player player_;
};

}  // namespace

Module* NewStimuliModule(const char* name) { return new StimuliModule(name); }
