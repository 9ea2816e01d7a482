// SPDX-License-Identifier: GPL-3.0-or-later
// A module library for gpsim that makes the PIC's hardware stack depth
// readable over the command interface, which has no command for it.
//
// gpsim loads it with "module library PATH" and creates the one module it
// offers with "module load velmora_stack velmora_stack"; from then on the
// command "velmora_stack.depth" prints the number of return addresses on
// the stack of the running processor (0 to 8 on the PIC16F84: every CALL
// and every interrupt takes one, RETURN, RETLW and RETFIE give it back),
// "velmora_stack.break_on_overflow = 1" makes a ninth push stop the run
// with gpsim's own "stack overflow" line, "velmora_stack.break_on_underflow
// = 1" a return with an empty stack with its "stack underflow" line (its
// break command offers stack breaks on other processors only), and
// "velmora_stack.return_address" prints the return address on top of the
// stack (-1 when it is empty): where a runtime routine was called from.
//
// It runs inside gpsim and is built against gpsim's own headers, so it is
// installed beside the programs but never linked by them.
// gpsim's headers are not self-contained: processor.h must come before the
// register headers, which need Processor complete.
// clang-format off
#include <gpsim/modules.h>
#include <gpsim/value.h>
#include <gpsim/processor.h>
#include <gpsim/pic-processor.h>
#include <gpsim/14bit-registers.h>
// clang-format on

#include <string>

namespace {

// Read-only: asks the processor each time it is printed or evaluated.
class StackDepth : public Integer {
 public:
  StackDepth() : Integer("depth", 0, "return addresses on the hardware stack") {}

  void get(gint64& value) override { value = Read(); }
  std::string toString() override { return std::to_string(Read()); }
  void set(gint64) override {}

 private:
  static gint64 Read() {
    auto* cpu = dynamic_cast<pic_processor*>(get_active_cpu());
    return cpu && cpu->stack ? cpu->stack->pointer : -1;
  }
};

// The return address on top of the stack; -1 when the stack is empty.
class ReturnAddress : public Integer {
 public:
  ReturnAddress() : Integer("return_address", -1, "return address on top of the hardware stack") {}

  void get(gint64& value) override { value = Read(); }
  std::string toString() override { return std::to_string(Read()); }
  void set(gint64) override {}

 private:
  static gint64 Read() {
    auto* cpu = dynamic_cast<pic_processor*>(get_active_cpu());
    if (!cpu || !cpu->stack || cpu->stack->pointer <= 0) return -1;
    const Stack& s = *cpu->stack;
    return s.contents[static_cast<unsigned>(s.pointer - 1) & s.stack_mask];
  }
};

// Switches the running processor's break on a stack overflow, or underflow.
class BreakOnStack : public Integer {
 public:
  BreakOnStack(const char* name, bool overflow, const char* description)
      : Integer(name, 0, description), overflow_(overflow) {}

  void set(gint64 value) override {
    if (auto* cpu = dynamic_cast<pic_processor*>(get_active_cpu()); cpu && cpu->stack) {
      if (overflow_) cpu->stack->set_break_on_overflow(value != 0);
      else cpu->stack->set_break_on_underflow(value != 0);
    }
    Integer::set(value);
  }

 private:
  bool overflow_;
};

class StackModule : public Module {
 public:
  explicit StackModule(const char* name) : Module(name, "Velmora: hardware stack depth") {
    addSymbol(new StackDepth());
    addSymbol(new ReturnAddress());
    addSymbol(new BreakOnStack("break_on_overflow", true, "stop the run when a ninth return address is pushed"));
    addSymbol(new BreakOnStack("break_on_underflow", false, "stop the run at a return with an empty stack"));
  }
};

Module* NewStackModule(const char* name) { return new StackModule(name); }

}  // namespace

Module* NewTraceModule(const char* name);    // pin_recorder.cpp
Module* NewStimuliModule(const char* name);  // stimulus_player.cpp
Module* NewServerModule(const char* name);   // fork_server.cpp

namespace {

Module_Types kModuleTypes[] = {
    {{"velmora_stack", "velmora_stack"}, NewStackModule},
    {{"velmora_trace", "velmora_trace"}, NewTraceModule},
    {{"velmora_stimuli", "velmora_stimuli"}, NewStimuliModule},
    {{"velmora_server", "velmora_server"}, NewServerModule},
    {{nullptr, nullptr}, nullptr},
};

}  // namespace

// The entry point gpsim looks up in every module library.
extern "C" Module_Types* get_mod_list() { return kModuleTypes; }
