// Documents and URLs through GIO's default applications (posix_shell_gio.cpp).
#pragma once

#include <string>

namespace platform::posix {

bool gio_open_url(const char* url, int* error_code);
std::string gio_find_default_application(const char* document);
int gio_start_default_application(const char* document, bool hidden, int* error_code);

}  // namespace platform::posix
