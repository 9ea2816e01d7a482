// SPDX-License-Identifier: GPL-3.0-or-later
// A string attribute of a module that does something when it is set
// ("velmora_trace.file = ..."). gpsim sets a string through set(Value*),
// which calls set(const char*, int): overriding only the latter acts once
// per assignment.
#pragma once

// clang-format off
#include <gpsim/value.h>
// clang-format on

#include <functional>
#include <string>
#include <utility>

class StringAction : public String {
 public:
  StringAction(const char* name, const char* description, std::function<void(const std::string&)> act)
      : String(name, "", description), act_(std::move(act)) {}
  using String::set;
  void set(const char* text, int length) override {
    String::set(text, length);
    act_(getVal() ? getVal() : "");
  }

 private:
  std::function<void(const std::string&)> act_;
};
