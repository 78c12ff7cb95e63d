// The X server's own screen saver (blanking after a time without input), as
// a client of that server sees it through the MIT-SCREEN-SAVER extension.
#pragma once

#include <string>

class ServerScreenSaver {
 public:
  // Connects to the display and stays connected, so that the server keeps
  // its settings while other clients come and go.
  explicit ServerScreenSaver(const std::string& display);
  ~ServerScreenSaver();
  ServerScreenSaver(const ServerScreenSaver&) = delete;
  ServerScreenSaver& operator=(const ServerScreenSaver&) = delete;

  bool ok() const { return display_ != nullptr; }
  // Blanks after the given seconds without input, counted from now.
  void set_timeout(int seconds);
  // True while the server's screen saver is on.
  bool active();

 private:
  struct _XDisplay* display_ = nullptr;
};
