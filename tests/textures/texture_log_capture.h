// Switches the log on and collects what it prints while in scope.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "utilitylib/utility.h"

class LogCapture {
 public:
  LogCapture() : was_logging_(CUtility::Is_Logging()) {
    CUtility::Set_Logging(true);
    testing::internal::CaptureStdout();
  }
  ~LogCapture() {
    if (capturing_) testing::internal::GetCapturedStdout();
    CUtility::Set_Logging(was_logging_);
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Everything logged so far; ends the capture.
  std::string Text() {
    if (capturing_) text_ = testing::internal::GetCapturedStdout();
    capturing_ = false;
    return text_;
  }

 private:
  bool was_logging_;
  bool capturing_ = true;
  std::string text_;
};
